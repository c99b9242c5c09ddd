// The settings-file reader: TIniFile reads any bytes, TSettings::read takes
// the settings from them. Writing the file back keeps it readable as the same
// file, and settings written and read again are the settings written.
#include "app/ini_file.h"
#include "app/settings.h"
#include "fuzz/fuzz_check.h"


extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QString programFolder = QStringLiteral("/opt/quorval/");
    TIniFile file;
    file.parse(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    const TSettings settings = TSettings::read(file, programFolder);

    // The contents written are read back as the same contents and settings.
    const QByteArray contents = file.contents();
    TIniFile reread;
    reread.parse(contents);
    FUZZ_CHECK(reread.contents() == contents);
    FUZZ_CHECK(TSettings::read(reread, programFolder) == settings);

    // Settings written into the file (in place, in their section or in a new
    // one) are what a later start reads.
    settings.write(reread);
    TIniFile written;
    written.parse(reread.contents());
    FUZZ_CHECK(TSettings::read(written, programFolder) == settings);
    FUZZ_CHECK(written.readInteger(QStringLiteral("SETUP"), QStringLiteral("MINUTES_TO_CHECK"), -1) >= 5);
    return 0;
}
