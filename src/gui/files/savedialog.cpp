#include "savedialog.h"

#include "core/files/configfile.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

QString askSavePath(QWidget *window, const DocumentState &document, const SaveDialogSetup &setup)
{
    QFileDialog dialog(window, setup.title, suggestedPath(document, setup.suffix), setup.filter);
    dialog.setObjectName(setup.objectName);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(setup.suffix);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

QString suggestedPath(const DocumentState &document, const QString &suffix)
{
    if (document.fileName.isEmpty())
        return QStringLiteral(".");
    const QString name = QFileInfo(document.fileName).completeBaseName() + QLatin1Char('.') + suffix;
    if (configfile::displayName(document.filePath) != document.fileName)
        return name;
    return QFileInfo(document.filePath).dir().filePath(name);
}
