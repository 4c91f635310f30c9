// The desktop's save dialog: the file type the user picks gives a bare name
// its extension before the dialog checks for a file to replace, and the
// dialog reports the filter chosen.

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "core/SaveDialog.h"
#include "ui/QtPlatform.h"

using namespace ravelin;

namespace {

// Answers the next file dialog as a user would: picks a file type, types a name, presses Save.
void answerNextDialog(const QString& filter, const QString& name) {
    QTimer::singleShot(0, [filter, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // The user picks the type in the dialog's list, which the dialog hears of.
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        QVERIFY(types);
        const int index = types->findText(filter);
        QVERIFY(index >= 0);
        types->setCurrentIndex(index);
        emit types->activated(index);
        emit types->textActivated(filter);
        auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(edit);
        edit->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

}  // namespace

class SaveDialogTest : public QObject {
    Q_OBJECT
private slots:
    void theChosenTypeGivesABareNameItsExtension() {
        QTemporaryDir dir;
        QtPlatform platform;
        const std::string folder = dir.path().toStdString();
        const FileDialogRequest request{
            "Ravelin - Save", "Rich text files (*.rtf)|*.rtf|Text files (*.txt)|*.txt", folder + "/x", 1, false, true};
        answerNextDialog("Text files (*.txt)", "report");
        const std::optional<FileChoice> text = platform.saveFileDialog(request);
        QVERIFY(text.has_value());
        QCOMPARE(text->filterIndex, 2);
        QCOMPARE(QString::fromStdString(text->path), dir.filePath("report.txt"));

        // A name typed with an extension keeps it, whatever the type chosen.
        answerNextDialog("Text files (*.txt)", "notes.rtf");
        QCOMPARE(QString::fromStdString(chooseSaveFile(platform, request).value_or("")), dir.filePath("notes.rtf"));
    }
};

QTEST_MAIN(SaveDialogTest)
#include "SaveDialogTest.moc"
