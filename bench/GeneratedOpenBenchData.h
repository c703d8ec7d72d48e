// open-bench's generated files for the benchmarks that cannot run without them: gen-data.sh writes them on
// first use into $ZEFRA_BENCH_DATA (default /tmp/zefra-open-bench-data), where later runs find them. The
// including target defines ZEFRA_SHARED_DIR, the folder that holds tools/open-bench.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string GeneratedOpenBenchFile(const std::string& name)
{
    static const std::string folder = [] {
        const char* env = std::getenv("ZEFRA_BENCH_DATA");
        const std::string where = env && *env ? env : "/tmp/zefra-open-bench-data";
        const std::string command = "bash '" ZEFRA_SHARED_DIR "/tools/open-bench/gen-data.sh' '" + where + "' >/dev/null";
        if (std::system(command.c_str()) != 0) {
            std::fprintf(stderr, "cannot generate the open-bench data into %s\n", where.c_str());
            std::exit(1);
        }
        return where;
    }();
    return folder + "/" + name;
}
