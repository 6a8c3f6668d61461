// The GCC/clang toolchain set: compiler, assembler and linker variants and
// their options, and the macros naming the toolchain's target and libraries.

#include "properties/property_rows.h"

namespace {

using namespace property_places;
using namespace property_types;

constexpr PropertyRow toolchainRows[] = {
    boolean("arm_supply_absolute_file_path", compilerOptions, "Supply Absolute File Path", false, buildSettings,
            "Passes source files to the compiler by absolute path, so messages and debug information name them so."),
    boolean("arm_archiver_indirect_file", libraryOptions, "Use Indirect File", true, librarySettings,
            "Passes the object files to the archiver in a file rather than on the command line."),
    boolean("arm_library_check_memory_segment_overflow", linkerOptions, "Check Memory Segment Overflow", true,
            executableSettings, "Fails the link when the program does not fit its memory segments."),
    integer("arm_linker_additional_output_file_gap_fill", IntegerHex, 0, 2, linkerOptions,
            "Additional Output File Gap Fill Value", 0xFF, executableSettings,
            "The byte that fills the gaps between sections in the additional output file."),
    integer("arm_linker_script_generator_default_fill_pattern", IntegerHex, 0, 8, linkerOptions, "Default Fill Pattern",
            0xFFFFFFFF, executableSettings,
            "The value the generated linker script fills sections with unless the section placement says otherwise."),
    boolean("arm_keep_assembly", compilerOptions, "Keep Assembly Source", false, buildSettings,
            "Keeps the assembly source the compiler generates."),
    boolean("arm_keep_preprocessor_output", compilerOptions, "Keep Preprocessor Output", false, buildSettings,
            "Keeps the preprocessed source."),
    enumeration("arm_linker_variant", linkerOptions, "Linker", "GNU", "GNU;LLD", executableSettings,
                "The linker that links the program."),
    enumeration("arm_compiler_variant", compilerOptions, "Compiler", "GCC", "GCC;clang", buildSettings,
                "The compiler that compiles C and C++ files."),
    enumeration("arm_assembler_variant", assemblerOptions, "Assembler", "GNU", "GNU;clang", buildSettings,
                "The assembler that assembles assembly files."),
    boolean("arm_use_gcc_libraries", runtimeLibraryOptions, "Use GCC Libraries", false, executableSettings,
            "Links the GCC runtime libraries in place of the standard libraries of the installation."),
    boolean("arm_linker_treat_warnings_as_errors", linkerOptions, "Treat Linker Warnings as Errors", false,
            executableSettings, "Fails the link when the linker reports a warning."),
    boolean("arm_linker_no_warn_on_mismatch", linkerOptions, "No Warn On Mismatch", false, executableSettings,
            "Links object files built with mismatched options without a warning."),
    boolean("arm_linker_allow_multiple_definition", linkerOptions, "Allow Multiple Symbol Definition", false,
            executableSettings, "Takes the first definition of a symbol defined more than once instead of failing."),
    boolean("arm_linker_emit_relocations", linkerOptions, "Emit Relocations", false, executableSettings,
            "Keeps the relocations in the linked program."),
    boolean("arm_linker_indirect_file", linkerOptions, "Use Linker Indirect File", true, executableSettings,
            "Passes the object files to the linker in a file rather than on the command line."),
    boolean("keep_linker_script_file", linkerOptions, "Keep Linker Script File", false, executableSettings,
            "Keeps the generated linker script after the link."),
    integer("arm_linker_gap_fill", IntegerHex, 0, 2, linkerOptions, "Gap Fill Value", 0, executableSettings,
            "The byte that fills the gaps between sections of the linked program."),
    plain("arm_linker_symbols_files", StringList, linkerOptions, "Symbols Files", "", executableSettings,
          expanded("Files whose symbols the program is linked against without their code.")),
    boolean("arm_instrument_functions", codeGenerationOptions, "Instrument Functions", false, buildSettings,
            "Calls profiling hooks on entry to and exit from every function."),
    boolean("clang_merge_globals", codeGenerationOptions, "Merge Globals", true, buildSettings,
            "Lets clang merge global variables so they share one base address."),
    boolean("arm_use_builtins", codeGenerationOptions, "Use Builtins", false, buildSettings,
            "Lets the compiler replace calls of standard library functions with built-in code."),
    boolean("arm_math_errno", codeGenerationOptions, "Math errno", false, buildSettings,
            "Makes the math functions set errno, which keeps the compiler from inlining them."),
    boolean("arm_unwind_tables", codeGenerationOptions, "Generate Unwind Tables", false, buildSettings,
            "Emits the tables that unwinding the stack needs."),

    macro("GCCTarget", "The target name of the GCC tool chain's programs e.g. arm-none-eabi."),
    macro("LibExt",
          "The suffix of the runtime library file names for the selected architecture, instruction set, "
          "floating point unit and byte order."),
};

}  // namespace

std::span<const PropertyRow> toolchainPropertyRows() { return toolchainRows; }
