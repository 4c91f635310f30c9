#include "ui/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLocale>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPaintEngine>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTextDocument>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

#include "core/Form.h"
#include "core/SaveDialog.h"
#include "core/Session.h"
#include "ui/KeyboardState.h"
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

QtPlatform::QtPlatform()
    : printerSetup_(std::make_unique<PrinterSetup>()), keyboard_(std::make_unique<KeyboardWatcher>()) {}

QtPlatform::~QtPlatform() = default;

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
    const QString text =
        QInputDialog::getText(parent(), qs(title), qs(prompt), QLineEdit::Normal, qs(defaultText), &ok);
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
    if (!request.fileName.empty() && request.fileName.find('*') == std::string::npos)
        dialog.selectFile(qs(request.fileName));
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

// The choices a print or page set-up dialog made, kept for the session:
// a printer that once failed to start stays unusable inside Qt, so every job
// gets a fresh printer made from these.
struct QtPlatform::PrinterSetup {
    QString printerName;
    QPrinter::OutputFormat format = QPrinter::NativeFormat;
    QString pdfFolder;  // where the last PDF file went
    QPageLayout layout;
    int copies = 1;
    bool collate = true;
    QPrinter::DuplexMode duplex = QPrinter::DuplexNone;
    QPrinter::ColorMode color = QPrinter::Color;
};

namespace {

// A document's name as a file name: its caption without path, marker or extension.
QString pdfBaseName(const std::string& documentName) {
    QString name = qs(documentName);
    name.remove('*');
    const int separator = name.lastIndexOf(QRegularExpression("[/\\\\]"));
    if (separator >= 0) name = name.mid(separator + 1);
    name = QFileInfo(name).completeBaseName().trimmed();
    name.replace(QRegularExpression("[:?\"<>|]"), "_");
    return name.isEmpty() ? QStringLiteral("Ravelin") : name;
}

QString defaultPdfFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// Why the printer cannot take a job (no PDF file named, a folder that is not
// there, a printer gone), in the user's words; empty when it can.
std::string unusablePrinterReason(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = printer.outputFileName();
        if (file.isEmpty()) return "No printer is installed, and no PDF file was chosen.";
        const QFileInfo info(file);
        const QFileInfo folder(info.absolutePath());
        if (!folder.isDir()) return "The folder of the PDF file '" + ss(file) + "' does not exist.";
        if (info.exists() ? !info.isWritable() : !folder.isWritable())
            return "The PDF file '" + ss(file) + "' cannot be written.";
        return {};
    }
    if (!printer.isValid() || QPrinterInfo::printerInfo(printer.printerName()).isNull())
        return "The printer '" + ss(printer.printerName()) + "' is not available.";
    return {};
}

// Prints on a printer a dialog set up: pages through a painter, rich text
// through the text layout. A printer that cannot print is found before any
// painter starts on it, so the user hears why instead of nothing.
class QtPrintJob : public PrintJob {
public:
    QtPrintJob(QPrinter& printer, std::unique_ptr<QPrinter> owned = nullptr)
        : printer_(printer), owned_(std::move(owned)) {
        // A preview draws into memory; only real output can fail to start.
        const bool preview = printer.paintEngine() && printer.paintEngine()->type() == QPaintEngine::Picture;
        if (!preview) failure_ = unusablePrinterReason(printer);
    }
    ~QtPrintJob() override { endDocument(); }

    Canvas& page() override {
        if (!failure_.empty()) return sink_;
        if (!canvas_) {
            painter_ = std::make_unique<QPainter>();
            if (!painter_->begin(&printer_)) {
                painter_.reset();
                failure_ = "The printer did not start the job.";
                return sink_;
            }
            const QRectF area = printer_.pageRect(QPrinter::Inch);
            canvas_ = std::make_unique<QtCanvas>(*painter_, area.width() * 1440, area.height() * 1440);
        }
        return *canvas_;
    }
    void newPage() override {
        if (canvas_) printer_.newPage();
    }
    void printRichText(const RichText& text) override {
        if (!failure_.empty()) return;
        QTextDocument document;
        fillDocument(text, document);
        // The text keeps 2 cm from the paper's edges, not 2 cm more inside the printer's margins.
        printer_.setFullPage(true);
        printDocument(document, printer_);
        if (printer_.printerState() == QPrinter::Error) failure_ = "The printer reported an error.";
    }
    bool selectionOnly() const override { return printer_.printRange() == QPrinter::Selection; }
    bool endDocument() override {
        if (ended_) return failure_.empty();
        ended_ = true;
        canvas_.reset();
        if (painter_ && !painter_->end() && failure_.empty()) failure_ = "The printer did not finish the job.";
        painter_.reset();
        if (printer_.printerState() == QPrinter::Error && failure_.empty()) failure_ = "The printer reported an error.";
        return failure_.empty();
    }
    std::string failure() const override { return failure_; }

private:
    QPrinter& printer_;
    std::unique_ptr<QPrinter> owned_;
    std::unique_ptr<QPainter> painter_;
    std::unique_ptr<QtCanvas> canvas_;
    RecordingCanvas sink_;  // takes the drawing of a job that cannot print
    bool ended_ = false;
    std::string failure_;
};

}  // namespace

std::unique_ptr<QPrinter> QtPlatform::printerFor(const std::string& documentName) const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const PrinterSetup& setup = *printerSetup_;
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    if (setup.format == QPrinter::NativeFormat && installed.contains(setup.printerName))
        printer->setPrinterName(setup.printerName);
    if (installed.isEmpty() || setup.format == QPrinter::PdfFormat) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        const QString folder = setup.pdfFolder.isEmpty() ? defaultPdfFolder() : setup.pdfFolder;
        printer->setOutputFileName(QDir(folder).filePath(pdfBaseName(documentName) + ".pdf"));
    }
    if (setup.layout.isValid()) printer->setPageLayout(setup.layout);
    printer->setCopyCount(setup.copies);
    printer->setCollateCopies(setup.collate);
    printer->setDuplex(setup.duplex);
    printer->setColorMode(setup.color);
    printer->setDocName(qs(documentName));
    return printer;
}

void QtPlatform::rememberPrinterSetup(const QPrinter& printer) {
    PrinterSetup& setup = *printerSetup_;
    setup.format = printer.outputFormat();
    if (setup.format == QPrinter::NativeFormat) setup.printerName = printer.printerName();
    else if (const QString folder = QFileInfo(printer.outputFileName()).absolutePath(); QFileInfo(folder).isDir())
        setup.pdfFolder = folder;  // a folder that was not there is not proposed again
    setup.layout = printer.pageLayout();
    // A rich text is printed on the full page (it keeps its own margins); the next job starts with the printer's.
    setup.layout.setMode(QPageLayout::StandardMode);
    setup.copies = printer.copyCount();
    setup.collate = printer.collateCopies();
    setup.duplex = printer.duplex();
    setup.color = printer.colorMode();
}

bool QtPlatform::runPrintDialog(QPrintDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool QtPlatform::runPageSetupDialog(QPageSetupDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

bool QtPlatform::runPreviewDialog(QPrintPreviewDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void QtPlatform::printerSetupDialog() {
    std::unique_ptr<QPrinter> printer = printerFor("");
    QPageSetupDialog dialog(printer.get(), parent());
    if (runPageSetupDialog(dialog)) rememberPrinterSetup(*printer);
}

std::unique_ptr<PrintJob> QtPlatform::startPrint(const PrintDialogRequest& request) {
    std::unique_ptr<QPrinter> printer = printerFor(request.documentName);
    QPrintDialog dialog(printer.get(), parent());
    dialog.setWindowTitle(qs(request.title));
    // Printing to a PDF file is always offered: with no printer installed it is the only destination.
    QAbstractPrintDialog::PrintDialogOptions options = QAbstractPrintDialog::PrintToFile;
    if (request.offerSelection) options |= QAbstractPrintDialog::PrintSelection;
    if (request.offerPageNumbers) options |= QAbstractPrintDialog::PrintPageRange;
    dialog.setOptions(options);
    if (!runPrintDialog(dialog)) return nullptr;
    rememberPrinterSetup(*printer);
    QPrinter& chosen = *printer;
    return std::make_unique<QtPrintJob>(chosen, std::move(printer));
}

PreviewOutcome QtPlatform::printPreview(const PrintDialogRequest& request, const PrintContent& content) {
    std::unique_ptr<QPrinter> printer = printerFor(request.documentName);
    QPrintPreviewDialog dialog(printer.get(), parent());
    dialog.setWindowTitle(qs(request.title));
    // Qt's own size shows a page as a stamp: most of the screen shows it readable.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.resize(screen->availableGeometry().size() * 0.8);
    // The preview draws on the printer in memory; its Print button draws the same on paper.
    std::string failure;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* target) {
        QtPrintJob job(*target);
        content(job);
        failure = job.endDocument() ? std::string() : job.failure();
    });
    if (!runPreviewDialog(dialog)) return {};
    rememberPrinterSetup(*printer);
    return {true, !failure.empty(), failure};
}

KeyboardState QtPlatform::keyboardState() {
    KeyboardState state = lockKeyState();
    if (keyboard_) state.insertMode = keyboard_->insertMode();
    return state;
}

void QtPlatform::setKeyboardListener(std::function<void()> listener) {
    if (keyboard_) keyboard_->setListener(std::move(listener));
}

ClockText QtPlatform::now() {
    const QDateTime now = QDateTime::currentDateTime();
    return {ss(QLocale::system().toString(now.date(), QLocale::ShortFormat)), ss(now.time().toString("HH:mm:ss"))};
}

void QtPlatform::processEvents() { QCoreApplication::processEvents(); }

void QtPlatform::wait(double seconds) {
    // An event loop of its own sleeps until the timer fires, still drawing
    // the windows; what the user types meanwhile waits until it is over.
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000)), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

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

std::string QtPlatform::executableName() {
    return ss(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

std::string QtPlatform::currentFolder() { return ss(QDir::currentPath()); }

}  // namespace ravelin
