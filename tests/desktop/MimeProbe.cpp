#include <QMimeDatabase>
#include <QString>

#include <iostream>

// Each argument is PATH=TYPE: the type Qt's MIME database gives the file at PATH, from its
// name and its content as a file manager looks at them, must be TYPE. The database is the
// one XDG_DATA_HOME and XDG_DATA_DIRS name.
int main(int argc, char** argv)
{
    const QMimeDatabase database;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        const qsizetype equals = argument.lastIndexOf(u'=');
        const QString path = argument.left(equals);
        const QString expected = argument.mid(equals + 1);
        const QString found = database.mimeTypeForFile(path).name();
        if (found != expected) {
            std::cerr << path.toStdString() << ": " << found.toStdString() << ", expected "
                      << expected.toStdString() << '\n';
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
