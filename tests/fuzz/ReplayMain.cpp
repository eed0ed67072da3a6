// Runs a fuzz target once over every file of the folders (or files) named
// on the command line, so each ordinary build checks the saved corpus
// without libFuzzer. No input at all fails: a corpus that went missing must
// not pass unnoticed.
#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size);

int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    long long inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QFileInfo arg(QString::fromLocal8Bit(argv[i]));
        for (const QFileInfo &file : arg.isDir() ? QDir(arg.filePath()).entryInfoList(QDir::Files, QDir::Name)
                                                 : QFileInfoList{arg}) {
            QFile f(file.filePath());
            if (!f.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s\n", qPrintable(f.fileName()));
                return 1;
            }
            const QByteArray bytes = f.readAll();
            std::fprintf(stderr, "%s (%lld bytes)\n", qPrintable(f.fileName()), static_cast<long long>(bytes.size()));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%lld inputs passed\n", inputs);
    return inputs == 0 ? 1 : 0;
}
