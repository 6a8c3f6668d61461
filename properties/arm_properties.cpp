// The ARM target set: instruction set, architecture, core, FPU, ABI, byte
// order, runtime memory areas, vector handler names and ARM debugging options,
// and the macros the toolchain derives from them.

#include "properties/property_rows.h"

namespace {

using namespace property_places;
using namespace property_types;

/// Sizes of the runtime memory areas: up to 2 GiB.
constexpr qint64 largestMemoryArea = 0x7FFFFFFF;

constexpr PropertyRow instructionSetRows[] = {
    enumeration("arm_instruction_set", codeGenerationOptions, "Instruction Set", "Thumb", "ARM;Thumb", buildSettings,
                "The instruction set the code is compiled to."),
};

// The three declarations that differ between the variants. The architecture
// defaults to the variant's first choice, the oldest architecture it offers.
constexpr PropertyRow cortexMRows[] = {
    enumeration("arm_architecture", codeGenerationOptions, "ARM Architecture", "v6M",
                "v6M;v7M;v7EM;v8M_Baseline;v8M_Mainline", buildSettings, "The architecture the code is compiled for."),
    enumeration("arm_core_type", codeGenerationOptions, "ARM Core Type", "None",
                "Cortex-M0;Cortex-M0+;Cortex-M1;Cortex-M23;Cortex-M3;Cortex-M33;Cortex-M4;Cortex-M7;None",
                buildSettings, "The processor core the code is tuned for."),
    enumeration("arm_fpu_type", codeGenerationOptions, "ARM FPU Type", "None", "FPv4-SP-D16;FPv5-SP-D16;FPv5-D16;None",
                buildSettings, "The floating point unit the code may use."),
};

constexpr PropertyRow fullARMRows[] = {
    enumeration("arm_architecture", codeGenerationOptions, "ARM Architecture", "v4T",
                "v4T;v5TE;v6;v6M;v7A;v7R;v7M;v7EM;v8A;v8R;v8M_Baseline;v8M_Mainline", buildSettings,
                "The architecture the code is compiled for."),
    enumeration("arm_core_type", codeGenerationOptions, "ARM Core Type", "None",
                "ARM7TDMI;ARM7TDMI-S;ARM720T;ARM920T;ARM926EJ-S;ARM946E-S;ARM966E-S;ARM1136J-S;ARM1156T2-S;"
                "ARM1176JZ-S;Cortex-A5;Cortex-A7;Cortex-A8;Cortex-A9;Cortex-A15;Cortex-A53;Cortex-M0;Cortex-M0+;"
                "Cortex-M1;Cortex-M23;Cortex-M3;Cortex-M33;Cortex-M4;Cortex-M7;Cortex-R4;Cortex-R5;Cortex-R7;None",
                buildSettings, "The processor core the code is tuned for."),
    enumeration("arm_fpu_type", codeGenerationOptions, "ARM FPU Type", "None",
                "VFP;VFPv3-D16;VFPv3-D32;VFPv4-D16;VFPv4-D32;NEON;NEON-VFPv4;FPv4-SP-D16;FPv5-SP-D16;FPv5-D16;None",
                buildSettings, "The floating point unit the code may use."),
};

constexpr PropertyRow targetRows[] = {
    enumeration("arm_advanced_SIMD_type", codeGenerationOptions, "Advanced SIMD Type", "None", "None;NEON;NEON-FP16",
                buildSettings, "The Advanced SIMD extension the code may use."),
    enumeration("arm_fp_abi", codeGenerationOptions, "ARM FP ABI Type", "Soft", "Soft;SoftFP;Hard;None", buildSettings,
                "How floating point values are passed between functions."),
    enumeration("arm_endian", codeGenerationOptions, "Byte Order", "Little", "Little;Big;BE-8", buildSettings,
                "The byte order of the target."),
    boolean("arm_cm0_has_small_multiplier", codeGenerationOptions, "Has Small Multiplier", false, buildSettings,
            "The Cortex-M0 core has the small, slow multiplier."),
    boolean("arm_v7_has_divide_instructions", codeGenerationOptions, "Has Divide Instructions", false, buildSettings,
            "The v7 core has the hardware divide instructions."),
    boolean("arm_v8M_has_cmse", codeGenerationOptions, "Has CMSE", false, buildSettings,
            "Compiles for the v8M security extension."),
    boolean("arm_v8M_has_dsp", codeGenerationOptions, "Has DSP Instructions", false, buildSettings,
            "The v8M core has the DSP instructions."),
    enumeration("arm_debugIO_Implementation", runtimeLibraryOptions, "Debug I/O Implementation", "None",
                "None;Breakpoint;Memory Poll", executableSettings,
                "How the runtime library's debug input and output reach the debugger."),
    plain("undefHandler_name", String, vectorHandlerOptions, "Undefined Instruction Handler Name", "undef_handler",
          executableSettings, "The function the undefined instruction vector calls."),
    plain("swiHandler_name", String, vectorHandlerOptions, "SWI Handler Name", "swi_handler", executableSettings,
          "The function the software interrupt vector calls."),
    plain("pabortHandler_name", String, vectorHandlerOptions, "Prefetch Abort Handler Name", "pabort_handler",
          executableSettings, "The function the prefetch abort vector calls."),
    plain("dabortHandler_name", String, vectorHandlerOptions, "Data Abort Handler Name", "dabort_handler",
          executableSettings, "The function the data abort vector calls."),
    plain("irqHandler_name", String, vectorHandlerOptions, "IRQ Handler Name", "irq_handler", executableSettings,
          "The function the IRQ vector calls."),
    plain("fiqHandler_name", String, vectorHandlerOptions, "FIQ Handler Name", "fiq_handler", executableSettings,
          "The function the FIQ vector calls."),
    plain("reservedMember_name", String, vectorHandlerOptions, "Reserved Vector Name", "", executableSettings,
          "The symbol placed in the reserved vector."),
    plain("debug_type_file", ProjFileName, debuggerOptions, "Type File", "", executableSettings,
          expanded("The file that describes the types the debugger shows in its own way.")),
    enumeration("debug_register_definition_file_type", debuggerOptions, "Register Definition File Type", "SVD",
                "XML;SVD", projectSettings, "The format of the register definition file."),
    boolean("debug_ignore_debug_aranges", debuggerOptions, "Ignore .debug_aranges", false, executableSettings,
            "Finds the code of a compilation unit without its .debug_aranges section."),
    boolean("debug_ignore_debug_frame", debuggerOptions, "Ignore .debug_frame", false, executableSettings,
            "Unwinds the stack without the .debug_frame section."),
    plain("debug_load_sections", StringList, loaderOptions, "Load Sections", "", executableSettings,
          "The sections loaded into the target; every loadable section when empty."),
    boolean("debug_enable_RTT", targetTraceOptions, "Enable RTT", false, executableSettings,
            "Shows the program's real-time transfer output while debugging."),
    plain("debug_RTTCB", String, targetTraceOptions, "RTT Control Block", "", executableSettings,
          "The symbol or address of the real-time transfer control block."),
    integer("debug_RTT_channel", IntegerRange, 0, 15, targetTraceOptions, "RTT Channel", 0, executableSettings,
            "The real-time transfer channel shown."),
    boolean("debug_restrict_memory_access", debuggerOptions, "Restrict Memory Access", false, executableSettings,
            "Lets the debugger read and write only the memory segments of the memory map."),
    plain("debug_stack_pointer_start", String, debuggerOptions, "Stack Pointer Start", "__stack_end__",
          executableSettings, "The symbol or address of the top of the stack, for stack usage display."),
    boolean("arm_long_calls", codeGenerationOptions, "Long Calls", false, buildSettings,
            "Calls functions through a register so they may lie anywhere in the address space."),
    boolean("arm_interwork", codeGenerationOptions, "Interwork", true, buildSettings,
            "Lets ARM and Thumb code call each other."),
    enumeration("arm_library_instruction_set", runtimeLibraryOptions, "Library Instruction Set", "Thumb", "ARM;Thumb",
                executableSettings, "The instruction set of the runtime libraries linked."),
    enumeration("arm_library_optimization", runtimeLibraryOptions, "Library Optimization", "Fast",
                "Fast;Small;Balanced", executableSettings, "The optimization of the runtime libraries linked."),
    enumeration("arm_library_architecture", runtimeLibraryOptions, "Library Architecture", "Default",
                "Default;v4T;v5TE;v6M;v7A;v7M;v7EM;v8M_Baseline;v8M_Mainline", executableSettings,
                "The architecture of the runtime libraries linked; that of the code with Default."),
    integer("arm_linker_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "Main Stack Size",
            1024, executableSettings, "The size in bytes of the main stack."),
    integer("arm_linker_irq_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "IRQ Stack Size",
            256, executableSettings, "The size in bytes of the IRQ mode stack."),
    integer("arm_linker_fiq_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "FIQ Stack Size",
            256, executableSettings, "The size in bytes of the FIQ mode stack."),
    integer("arm_linker_svc_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "SVC Stack Size",
            0, executableSettings, "The size in bytes of the supervisor mode stack."),
    integer("arm_linker_abt_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "ABT Stack Size",
            0, executableSettings, "The size in bytes of the abort mode stack."),
    integer("arm_linker_und_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "UND Stack Size",
            0, executableSettings, "The size in bytes of the undefined mode stack."),
    integer("arm_linker_heap_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions, "Heap Size", 1024,
            executableSettings, "The size in bytes of the heap."),
    enumeration("arm_link_debugio_type", runtimeLibraryOptions, "Library I/O", "None", "None;Debug I/O;Semihosting",
                executableSettings, "Where the runtime library's input and output go."),
    integer("arm_linker_process_stack_size", IntegerRange, 0, largestMemoryArea, runtimeMemoryAreaOptions,
            "Process Stack Size", 0, executableSettings, "The size in bytes of the process stack."),
    integer("debug_load_file_offset", IntegerHex, 0, 8, loaderOptions, "Load File Offset", 0, executableSettings,
            "The offset added to the addresses the program is loaded at."),
    integer("debug_load_file_limit", IntegerHex, 0, 8, loaderOptions, "Load File Limit", 0xFFFFFFFF, executableSettings,
            "The highest address the loader writes."),
    plain("arm_linker_cmse_import_library_file_name", FileName, linkerOptions, "CMSE Import Library File Name",
          "$(OutDir)/$(ProjectName)_CMSE_import$(LIB)", executableSettings,
          expanded("The library of secure entry functions the linker writes for non-secure programs.")),
    boolean("arm_linker_no_enum_size_warning", linkerOptions, "No Enum Size Warning", false, executableSettings,
            "Links objects with different enumeration sizes without a warning."),
    boolean("arm_linker_no_wchar_size_warning", linkerOptions, "No wchar Size Warning", false, executableSettings,
            "Links objects with different wchar_t sizes without a warning."),

    macro("CoreType", "The compiler's name for the <b>ARM Core Type</b> property e.g. cortex-m3."),
    macro("Arch", "The compiler's name for the <b>ARM Architecture</b> property e.g. armv7-m."),
    macro("Endian", "The compiler's name for the <b>Byte Order</b> property e.g. little."),
    macro("FPU", "The compiler's name for the <b>ARM FPU Type</b> property e.g. fpv4-sp-d16."),
    macro("FPU2", "The assembler's name for the <b>ARM FPU Type</b> property."),
    macro("FPU3", "The runtime libraries' name for the <b>ARM FPU Type</b> property."),
    macro("FPABI", "The compiler's name for the <b>ARM FP ABI Type</b> property e.g. soft."),
};

}  // namespace

std::array<std::span<const PropertyRow>, 3> armPropertyRows(bool cortexM) {
  const std::span<const PropertyRow> variantRows = cortexM ? std::span<const PropertyRow>(cortexMRows) : fullARMRows;
  return {instructionSetRows, variantRows, targetRows};
}
