#include "widgets/qt_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

namespace vantrel {

QString QtFileFilter(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // The description usually already names its patterns; Qt reads the parenthesised
        // part as the pattern list, so make sure it is the real one.
        QString description = parts[i];
        const int paren = description.lastIndexOf('(');
        if (paren >= 0) {
            description = description.left(paren).trimmed();
        }
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out.join(QStringLiteral(";;"));
}

bool QtPrompter::AskYesNo(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtPrompter::Warn(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::warning(parent, caption, text);
}

void QtPrompter::WarnAbort(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox(QMessageBox::Warning, caption, text, QMessageBox::Abort, parent).exec();
}

void QtPrompter::Error(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::critical(parent, caption, text);
}

void QtPrompter::Inform(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox::information(parent, caption, text);
}

void QtPrompter::Message(QWidget* parent, const QString& text, const QString& caption) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

static QFileDialog* MakeFileDialog(QWidget* parent, const FileDialogOptions& options) {
    auto* dialog = new QFileDialog(parent);
    dialog->setNameFilter(QString());
    dialog->setNameFilters(QtFileFilter(options.filter).split(QStringLiteral(";;")));
    dialog->setDefaultSuffix(options.defaultSuffix);
    if (!options.directory.isEmpty()) {
        dialog->setDirectory(options.directory);
    }
    if (!options.fileName.isEmpty()) {
        dialog->selectFile(options.fileName);
    }
    return dialog;
}

std::optional<QString> QtPrompter::OpenFile(QWidget* parent, const FileDialogOptions& options) {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(parent, options));
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().first();
}

std::optional<QString> QtPrompter::SaveFile(QWidget* parent, const FileDialogOptions& options) {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(parent, options));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().first();
}

std::optional<QFont> QtPrompter::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent);
    return ok ? std::optional<QFont>(font) : std::nullopt;
}

std::optional<QColor> QtPrompter::ChooseColor(QWidget* parent, const QColor& initial) {
    const QColor color = QColorDialog::getColor(initial, parent);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}

bool QtPrompter::ChoosePrinter(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompter::PageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace vantrel
