// Where the benchmarks find open-bench's generated files: $ZEFRA_OPEN_BENCH_DATA (a folder) or
// ../shared/tools/open-bench/data beside the project, where open-bench's gen-data.sh writes them.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

inline std::string OpenBenchFile(const std::string& name)
{
    const char* folder = std::getenv("ZEFRA_OPEN_BENCH_DATA");
    const std::filesystem::path base =
        folder ? std::filesystem::path(folder)
               : std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "shared" / "tools" / "open-bench" / "data";
    return (base / name).string();
}
