#include "debugger/program_map_source.h"

#include "toolchain/program_map_build.h"

bool LoadProgramMap(const ProgramMapSource& source, halyard::debuginfo::ProgramMap& map, std::string& error)
{
    if (BuildProgramMap({source.assembler, source.source, source.program, source.binFolder}, map, error)) return true;
    error = "没有源程序的行号表（" + error + "）：按指令地址调试";
    return false;
}
