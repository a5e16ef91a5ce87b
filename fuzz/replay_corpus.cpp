// Runs a fuzz target on every file of the folders given, as libFuzzer's
// -runs=0 does, so that a build without clang's fuzzer replays the corpora.
// A broken property aborts; the input last named is the one that broke it.

#include <QDirIterator>
#include <QFile>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        for (QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files); it.hasNext();
             ++inputs) {
            QFile file(it.next());
            std::fprintf(stderr, "%s\n", qPrintable(file.fileName()));
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.constData()),
                                   static_cast<size_t>(bytes.size()));
        }
    }
    return inputs > 0 ? 0 : 1; // a folder without inputs is a wrong path
}
