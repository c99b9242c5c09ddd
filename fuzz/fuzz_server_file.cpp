// The server-file reader on any file. The four texts it reads hold no line
// ends, and a server file written from them reads back as the same entry.
#include "app/server_entry.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/scratch_folder.h"

#include <QFile>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const ScratchFolder scratch("quorval-fuzz-servers");
    static const QString folder = QString::fromStdString(scratch.path().string());
    const QString name = QStringLiteral("Fuzz server");
    {
        QFile file(ServerFileName(folder, name));
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size));
    }

    const ServerEntry entry = ReadServerFile(folder, name);
    FUZZ_CHECK(entry.Name == name);
    for (const QString *line : {&entry.ServiceUrl, &entry.UserName, &entry.Password, &entry.WebSite})
        FUZZ_CHECK(!line->endsWith(QLatin1Char('\r')) && !line->contains(QLatin1Char('\n')));

    WriteServerFile(folder, entry);
    FUZZ_CHECK(ReadServerFile(folder, name) == entry);
    return 0;
}
