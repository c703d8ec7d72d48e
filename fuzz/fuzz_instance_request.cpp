// libFuzzer target: random bytes as a request on the single-instance socket, and as a command line. A request
// that decodes encodes back to the same bytes; a command line keeps at most one file per argument, each with an
// absolute path.
#include "ZefCommandLine.h"
#include "ZefInstanceChannel.h"

#include <QByteArray>
#include <QList>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    if (const auto files = ZefDecodeOpenRequest(bytes))
        Check(ZefEncodeOpenRequest(*files) == bytes);

    // One argument per line; the names are looked up in the current folder, as the program does.
    QList<QByteArray> arguments{"zefraed"};
    for (const QByteArray& argument : bytes.split('\n'))
        if (!argument.contains('\0'))
            arguments << argument;
    const TZefCommandLine commandLine = ZefParseCommandLine(arguments);
    Check(static_cast<qsizetype>(commandLine.files.size()) < arguments.size());
    for (const TZefCommandLineFile& file : commandLine.files)
        Check(file.path.startsWith(QLatin1Char('/')) && file.line >= 0);
    return 0;
}
