#include "kit/ConfirmationDialog.h"

#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

bool ConfirmationDialog::ask(QWidget* parent, const QString& question, const QString& detail,
                             const QString& actionTitle)
{
    QPointer<QMessageBox> box = new QMessageBox(parent ? parent->window() : nullptr);
    box->setObjectName(QLatin1StringView(objectName));
    box->setAttribute(Qt::WA_DeleteOnClose, false);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(actionTitle);
    box->setText(question);
    box->setInformativeText(detail);
    QPushButton* action = box->addButton(actionTitle, QMessageBox::DestructiveRole);
    QPushButton* cancel = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    cancel->setFocus();
    box->exec();
    // The dialog is gone if its parent went while it was open: that is no answer.
    const bool confirmed = box && box->clickedButton() == action;
    delete box;
    return confirmed;
}
