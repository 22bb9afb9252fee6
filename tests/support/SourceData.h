#pragma once

#include <QDir>
#include <QFileInfo>
#include <QString>

// A file of data/ in the source tree (the language files ship from there).
inline QString sourceDataPath(const QString &name)
{
    QDir root = QFileInfo(QStringLiteral(__FILE__)).dir();  // tests/support
    root.cdUp();
    root.cdUp();
    return root.filePath(QStringLiteral("data/") + name);
}
