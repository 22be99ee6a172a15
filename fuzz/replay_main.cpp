// Feeds every saved input of every harness to it: the seed corpora under
// corpus/<harness>/ and the reproducers of past findings under reproducers/<harness>/.
// Usage: fuzz_replay FUZZ_FOLDER. Fails when a folder is missing or empty of seeds; a
// harness whose rule breaks aborts the run with its message.
#include "fuzz/harnesses.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTextStream>

int main(int argc, char** argv) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "uso: fuzz_replay PASTA_FUZZ\n";
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    int failures = 0;
    for (const tmk::fuzz::NamedHarness& h : tmk::fuzz::kHarnesses) {
        const QString name = QString::fromLatin1(h.name);
        int seeds = 0;
        int reproducers = 0;
        for (const char* kind : {"corpus", "reproducers"}) {
            const QString folder =
                root.filePath(QString::fromLatin1(kind) + QLatin1Char('/') + name);
            QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                if (QFileInfo(path).fileName().startsWith(QLatin1Char('.'))) {
                    continue;
                }
                QFile file(path);
                if (!file.open(QIODevice::ReadOnly)) {
                    err << "não foi possível ler " << path << "\n";
                    ++failures;
                    continue;
                }
                const QByteArray bytes = file.readAll();
                err.flush();
                h.run(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                      std::size_t(bytes.size()));
                ++(QLatin1String(kind) == QLatin1String("corpus") ? seeds : reproducers);
            }
        }
        out << name << ": " << seeds << " entradas do corpus, " << reproducers << " reprodutores\n";
        out.flush();
        if (seeds == 0) {
            err << name << ": corpus vazio em " << root.filePath(QStringLiteral("corpus/") + name)
                << "\n";
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
