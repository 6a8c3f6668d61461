// The GCC compiler set: code generation, warnings, language standards and
// linker options of the GCC compiler.

#include "properties/property_rows.h"

namespace {

using namespace property_places;
using namespace property_types;

constexpr PropertyRow gccRows[] = {
    enumeration("gcc_optimization_level", codeGenerationOptions, "Optimization Level", "None",
                "None;Debug;Level 1;Level 2;Level 3;Optimize For Size", buildSettings,
                "How much the compiler optimizes the code."),
    boolean("gcc_enable_all_warnings", codeGenerationOptions, "Enable All Warnings", false, buildSettings,
            "Reports every warning the compiler can give."),
    boolean("gcc_omit_frame_pointer", codeGenerationOptions, "Omit Frame Pointer", false, buildSettings,
            "Frees the frame pointer register in functions that do not need it."),
    plain("gcc_entry_point", String, linkerOptions, "Entry Point", "0x00000000", executableSettings,
          "The symbol or address execution of the program starts at."),
    boolean("gcc_strip_symbols", linkerOptions, "Strip Symbols", false, executableSettings,
            "Removes every symbol from the linked program."),
    boolean("gcc_emit_assembler_cfi", codeGenerationOptions, "Emit Assembler CFI", false, buildSettings,
            "Describes call frames with assembler directives instead of compiler-generated tables."),
    boolean("gcc_no_common", codeGenerationOptions, "No COMMON", true, buildSettings,
            "Places uninitialised global variables in the zeroed section rather than in common blocks."),
    enumeration("gcc_debugging_level", codeGenerationOptions, "Debugging Level", "Level 2",
                "None;Level 1;Level 2;Level 3", buildSettings, "How much debug information the compiler emits."),
    enumeration("gcc_dwarf_version", codeGenerationOptions, "Dwarf Version", "None", "dwarf-2;dwarf-3;dwarf-4;None",
                buildSettings, "The DWARF version of the debug information; the compiler's own choice with None."),
    enumeration("gcc_c_language_standard", compilerOptions, "C Language Standard", "gnu99",
                "c89;c90;c99;c11;gnu89;gnu90;gnu99;gnu11", buildSettings, "The C language standard compiled to."),
    enumeration("gcc_cplusplus_language_standard", compilerOptions, "C++ Language Standard", "gnu++98",
                "c++98;c++11;c++14;c++1y;gnu++98;gnu++11;gnu++14;gnu++1y", buildSettings,
                "The C++ language standard compiled to."),
    enumeration("gcc_wchar_size", codeGenerationOptions, "Wide Character Size", "32-Bit", "16-Bit;32-Bit",
                buildSettings, "The size of the type wchar_t."),
    enumeration("gcc_short_enum", codeGenerationOptions, "Enumeration Size", "Minimal Container Size",
                "Minimal Container Size;Int Size", buildSettings, "The size of enumeration types."),
    plain("gcc_all_warnings_command_line_options", StringList, codeGenerationOptions,
          "Enable All Warnings Command Line Options", "-Wall;-Wextra", buildSettings,
          "The command line options that Enable All Warnings passes to the compiler."),
    plain("gcc_enforce_ansi_checking_command_line_options", StringList, compilerOptions,
          "Enforce ANSI Checking Command Line Options", "-pedantic", buildSettings,
          "The command line options that Enforce ANSI Checking passes to the compiler."),
    boolean("linker_strip_debug_information", linkerOptions, "Strip Debug Information", false, executableSettings,
            "Removes the debug information from the linked program."),
};

}  // namespace

std::span<const PropertyRow> gccPropertyRows() { return gccRows; }
