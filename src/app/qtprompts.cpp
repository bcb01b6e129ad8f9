#include "qtprompts.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

void QtPrompts::inform(QWidget *parent, const QString &text)
{
    // A plain message is the title, the text and OK: no icon, so that it
    // cannot be taken for one of the error boxes.
    QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

void QtPrompts::notify(QWidget *parent, const QString &text, std::function<void()> closed)
{
    auto *box = new QMessageBox(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QMessageBox::finished, box, [closed = std::move(closed)] { closed(); });
    box->show();
}

void QtPrompts::error(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::critical(parent, title, text);
}

void QtPrompts::storeError(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, kApplicationTitle, text);
}

bool QtPrompts::confirm(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, kApplicationTitle, text, QMessageBox::NoButton, parent);
    QPushButton *yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

QString QtPrompts::saveFileName(QWidget *parent, const QString &folder, const QString &proposedName,
                                const QStringList &filters)
{
    QFileDialog dialog(parent, QStringLiteral("Сохранить файл"), folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

void QtDesktop::openDocument(const QString &path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QDir::current().absoluteFilePath(path)));
}
