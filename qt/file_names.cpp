#include "qt/file_names.h"

#include <QFile>

namespace tabulor {

QString ChangeFileExt(QStringView name, QStringView newExtension, QStringView delimiters)
{
    qsizetype end = name.size();
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        if (delimiters.contains(name[i])) {
            if (name[i] == u'.')
                end = i;
            break;
        }
    }
    return name.left(end).toString().append(newExtension);
}

QString DerivedDestFileName(QStringView sourceFileName)
{
    return ChangeFileExt(sourceFileName, u".html");
}

std::filesystem::path ToPath(const QString& name)
{
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    return std::filesystem::path(QFile::encodeName(name).toStdString());
#endif
}

}  // namespace tabulor
