#include "ui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSettings>
#include <QTextDocument>
#include <QTime>
#include <QVBoxLayout>

#include "core/Form.h"
#include "core/SaveDialog.h"
#include "core/Session.h"
#include "ui/UiContext.h"
#include "ui/render/QtCanvas.h"
#include "ui/render/QtPicture.h"
#include "ui/render/Render.h"

namespace ravelin {

QStringList qtFileFilters(const std::string& filter) {
    const QStringList parts = qs(filter).split('|');
    QStringList result;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i];
        const int open = description.indexOf('(');
        if (open > 0) description = description.left(open).trimmed();
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        result << description + " (" + patterns + ")";
    }
    return result;
}

QtPlatform::QtPlatform() = default;

QWidget* QtPlatform::parent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return parent_.data();
}

MessageAnswer QtPlatform::messageBox(const MessageRequest& request) {
    QMessageBox box(parent());
    box.setWindowTitle(request.title.empty() ? QStringLiteral("Ravelin") : qs(request.title));
    QString text = qs(request.text);
    text.remove(QChar('\r'));
    box.setText(text);
    switch (request.icon) {
        case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
        case MessageIcon::Stop: box.setIcon(QMessageBox::Critical); break;
        case MessageIcon::Question: box.setIcon(QMessageBox::Question); break;
        case MessageIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    }
    switch (request.buttons) {
        case MessageButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MessageButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MessageButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MessageButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return MessageAnswer::Yes;
        case QMessageBox::No: return MessageAnswer::No;
        case QMessageBox::Cancel: return MessageAnswer::Cancel;
        default: return request.buttons == MessageButtons::YesNoCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
    }
}

std::optional<std::string> QtPlatform::inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent(), qs(title), qs(prompt), QLineEdit::Normal, qs(defaultText), &ok);
    if (!ok) return std::nullopt;
    return ss(text);
}

void QtPlatform::beep() { QApplication::beep(); }

void QtPlatform::showModal(Form& form) {
    if (!context_) return;
    QDialog dialog(parent());
    dialog.setWindowTitle(qs(form.caption()));
    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(context_->createView(form, &dialog));
    // The dialog ends when its form hides itself or is unloaded.
    struct Closer : FormObserver, SessionObserver {
        QDialog& dialog;
        Form* form;
        explicit Closer(QDialog& d, Form& f) : dialog(d), form(&f) {}
        void formChanged(Form& f, FormProperty p) override {
            if (p == FormProperty::Visible && !f.visible()) dialog.accept();
        }
        void formDestroyed(Form& f) override {
            if (&f == form) {
                form = nullptr;
                dialog.accept();
            }
        }
    } closer(dialog, form);
    Session& session = context_->session();
    form.addObserver(&closer);
    session.addObserver(&closer);
    form.show();
    dialog.exec();
    session.removeObserver(&closer);
    if (closer.form) {
        closer.form->removeObserver(&closer);
        closer.form->hide();
    }
}

std::optional<FileChoice> QtPlatform::fileDialog(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent(), qs(request.title));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(!save && request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (save && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = qtFileFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (save) {
        // A name typed without an extension takes the chosen type's, before the dialog asks about replacing a file.
        const std::vector<std::vector<std::string>> extensions = filterExtensions(request.filter);
        auto suffixOf = [filters, extensions](const QString& nameFilter) {
            const qsizetype index = filters.indexOf(nameFilter);
            if (index < 0 || index >= static_cast<qsizetype>(extensions.size())) return QString();
            const std::vector<std::string>& listed = extensions[static_cast<std::size_t>(index)];
            return listed.empty() ? QString() : qs(listed.front().substr(1));
        };
        dialog.setDefaultSuffix(suffixOf(dialog.selectedNameFilter()));
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                         [&dialog, suffixOf](const QString& chosen) { dialog.setDefaultSuffix(suffixOf(chosen)); });
    }
    // A pattern ("*.spg") is no file name to preselect.
    if (!request.fileName.empty() && request.fileName.find('*') == std::string::npos) dialog.selectFile(qs(request.fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    const int filterIndex = chosen < 0 ? request.filterIndex : static_cast<int>(chosen) + 1;
    return FileChoice{ss(dialog.selectedFiles().front()), filterIndex};
}

std::optional<std::string> QtPlatform::openFileDialog(const FileDialogRequest& request) {
    const auto choice = fileDialog(request, false);
    if (!choice) return std::nullopt;
    return choice->path;
}

std::optional<FileChoice> QtPlatform::saveFileDialog(const FileDialogRequest& request) {
    return fileDialog(request, true);
}

void QtPlatform::clipboardClear() { QApplication::clipboard()->clear(); }

void QtPlatform::setClipboardText(const std::string& text) { QApplication::clipboard()->setText(qs(text)); }

void QtPlatform::setClipboardRichText(const std::string& plain, const std::string& rtf) {
    auto* data = new QMimeData;
    data->setText(qs(plain));
    data->setData("text/rtf", QByteArray::fromStdString(rtf));
    data->setData("application/rtf", QByteArray::fromStdString(rtf));
    QApplication::clipboard()->setMimeData(data);
}

void QtPlatform::setClipboardImage(const Image& image) { QApplication::clipboard()->setImage(fromImage(image)); }

std::string QtPlatform::clipboardText() { return ss(QApplication::clipboard()->text()); }

std::optional<std::string> QtPlatform::readSetting(const std::string& application, const std::string& section,
                                                   const std::string& key) {
    QSettings settings(qs(application), qs(application));
    const QString name = qs(section) + "/" + qs(key);
    if (!settings.contains(name)) return std::nullopt;
    return ss(settings.value(name).toString());
}

void QtPlatform::writeSetting(const std::string& application, const std::string& section, const std::string& key,
                              const std::string& value) {
    QSettings settings(qs(application), qs(application));
    settings.setValue(qs(section) + "/" + qs(key), qs(value));
}

std::optional<Image> QtPlatform::renderImage(const RecordingCanvas& drawing, double widthTwips, double heightTwips) {
    return toImage(renderDrawing(drawing, widthTwips, heightTwips));
}

bool QtPlatform::exportDrawing(const RecordingCanvas& drawing, double widthTwips, double heightTwips,
                               const std::string& path, std::string* error) {
    return exportDrawingToFile(drawing, widthTwips, heightTwips, path, error);
}

bool QtPlatform::exportRichText(const RichText& text, const std::string& path, std::string* error) {
    return exportRichTextToPdf(text, path, error);
}

PictureLoad QtPlatform::loadPicture(const std::string& path) {
    // A large photograph takes a moment to decode and halve.
    setBusy(true);
    PictureLoad loaded = loadPictureFile(path);
    setBusy(false);
    return loaded;
}

std::optional<FontChoice> QtPlatform::fontDialog(const FontChoice& initial) {
    constexpr double kUnsetSize = 11;  // shown when the selection mixes sizes
    QFont font(initial.name.empty() ? QStringLiteral("Arial") : qs(initial.name));
    font.setPointSizeF(initial.size > 0 ? initial.size : kUnsetSize);
    font.setBold(initial.bold);
    font.setItalic(initial.italic);
    // The dialog lists installed families only: it shows the one that stands in for the text's.
    const QString shownFamily = QFontInfo(font).family();
    font.setFamily(shownFamily);
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent(), QStringLiteral("Font"));
    if (!ok) return std::nullopt;
    FontChoice choice;
    // A family or size left as shown keeps what the text had.
    choice.name = chosen.family() == shownFamily ? initial.name : ss(chosen.family());
    const double size = chosen.pointSizeF();
    choice.size = initial.size <= 0 && size == kUnsetSize ? 0 : size;
    choice.bold = chosen.weight() >= QFont::DemiBold;
    choice.italic = chosen.italic();
    return choice;
}

void QtPlatform::printerSetupDialog() {
    QPrinter printer;
    QPageSetupDialog dialog(&printer, parent());
    dialog.exec();
}

namespace {

class QtPrintJob : public PrintJob {
public:
    explicit QtPrintJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    ~QtPrintJob() override { endDocument(); }

    Canvas& page() override {
        if (!canvas_) {
            painter_ = std::make_unique<QPainter>(printer_.get());
            const QRectF area = printer_->pageRect(QPrinter::Inch);
            canvas_ = std::make_unique<QtCanvas>(*painter_, area.width() * 1440, area.height() * 1440);
        }
        return *canvas_;
    }
    void newPage() override {
        if (canvas_) printer_->newPage();
    }
    void printRichText(const RichText& text) override {
        QTextDocument document;
        fillDocument(text, document);
        // The text keeps 2 cm from the paper's edges, not 2 cm more inside the printer's margins.
        printer_->setFullPage(true);
        printDocument(document, *printer_);
        if (printer_->printerState() == QPrinter::Error) ok_ = false;
    }
    bool selectionOnly() const override { return printer_->printRange() == QPrinter::Selection; }
    bool endDocument() override {
        if (ended_) return ok_;
        ended_ = true;
        canvas_.reset();
        if (painter_ && !painter_->end()) ok_ = false;
        painter_.reset();
        if (printer_->printerState() == QPrinter::Error) ok_ = false;
        return ok_;
    }

private:
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtCanvas> canvas_;
    bool ended_ = false;
    bool ok_ = true;
};

}  // namespace

std::unique_ptr<PrintJob> QtPlatform::startPrint(const PrintDialogRequest& request) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent());
    dialog.setWindowTitle(qs(request.title));
    QAbstractPrintDialog::PrintDialogOptions options;
    if (request.offerSelection) options |= QAbstractPrintDialog::PrintSelection;
    if (request.offerPageNumbers) options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    if (dialog.exec() != QDialog::Accepted) return nullptr;
    return printJobFor(std::move(printer));
}

std::unique_ptr<PrintJob> printJobFor(std::unique_ptr<QPrinter> printer) {
    return std::make_unique<QtPrintJob>(std::move(printer));
}

double QtPlatform::timerSeconds() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

ClockText QtPlatform::now() {
    const QDateTime now = QDateTime::currentDateTime();
    return {ss(QLocale::system().toString(now.date(), QLocale::ShortFormat)), ss(now.time().toString("HH:mm:ss"))};
}

void QtPlatform::processEvents() { QCoreApplication::processEvents(); }

void QtPlatform::setBusy(bool busy) {
    if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++busyDepth_;
    } else if (busyDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --busyDepth_;
    }
}

std::string QtPlatform::programFolder() { return ss(QCoreApplication::applicationDirPath()); }

std::string QtPlatform::executableName() { return ss(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName()); }

std::string QtPlatform::currentFolder() { return ss(QDir::currentPath()); }

}  // namespace ravelin
