// The widget side of the report output: driven through timers, since the
// dialogs are modal. A watchdog closes whatever is left open.
#include "report_fixture.h"

#include "reports/report_paint.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace {
QDialog* ModalDialog()
{
    return qobject_cast<QDialog*>(QApplication::activeModalWidget());
}

void Watchdog()
{
    QTimer::singleShot(5000, [] {
        if (QDialog* dialog = ModalDialog()) {
            ADD_FAILURE() << "dialog left open: " << dialog->windowTitle().toStdString();
            dialog->reject();
        }
    });
}

QRadioButton* Radio(QDialog* ADialog, const QString& AText)
{
    for (auto* radio : ADialog->findChildren<QRadioButton*>())
        if (radio->text() == AText)
            return radio;
    return nullptr;
}
} // namespace

TEST(QtReportDialogs, OutputOptionsChooseAFileAndAddThePdfExtension)
{
    TQtDialogs dialogs;
    TReportDestination destination = rdPrinter;
    QString fileName = "/tmp/old.pdf";
    QString title;
    bool printerDefault = false;
    Watchdog();
    QTimer::singleShot(0, [&] {
        QDialog* dialog = ModalDialog();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        ASSERT_NE(Radio(dialog, "Printer"), nullptr);
        ASSERT_NE(Radio(dialog, "Preview"), nullptr);
        printerDefault = Radio(dialog, "Printer")->isChecked();
        Radio(dialog, "File (PDF)")->setChecked(true);
        dialog->findChild<QLineEdit*>()->setText("/tmp/out/report");
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(dialogs.ReportOutputOptions(destination, fileName));
    EXPECT_EQ(title, "Output Options");
    EXPECT_TRUE(printerDefault);
    EXPECT_EQ(destination, rdFile);
    EXPECT_EQ(fileName, "/tmp/out/report.pdf");
}

TEST(QtReportDialogs, OutputOptionsCancelledOrWithoutAFileName)
{
    TQtDialogs dialogs;
    TReportDestination destination = rdPrinter;
    QString fileName;
    bool okEnabled = true;
    Watchdog();
    QTimer::singleShot(0, [&] {
        QDialog* dialog = ModalDialog();
        ASSERT_NE(dialog, nullptr);
        Radio(dialog, "File (PDF)")->setChecked(true);
        okEnabled = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
        dialog->reject();
    });
    EXPECT_FALSE(dialogs.ReportOutputOptions(destination, fileName));
    EXPECT_FALSE(okEnabled);
    EXPECT_EQ(destination, rdPrinter);
}

TEST(QtReportDialogs, PreviewIsTitledAndShowsThePagesAtFullSize)
{
    TPrintTables tables;
    FillFixture(tables);
    const TReportDocument document =
        LayoutReport(ProjectLayout("DailyScheduleFull"), ScheduleParams(), Connections(tables), TReportPageGeometry());
    TQtDialogs dialogs;
    QPrinter printer;
    int paints = 0;
    QString title;
    double zoom = 0;
    int pages = 0;
    Watchdog();
    QTimer::singleShot(100, [&] {
        QDialog* dialog = ModalDialog();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        auto* widget = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        zoom = widget->zoomMode() == QPrintPreviewWidget::CustomZoom ? widget->zoomFactor() : -1;
        pages = widget->pageCount();
        dialog->reject();
    });
    dialogs.ReportPreview(&printer, [&](QPagedPaintDevice* ADevice) {
        ++paints;
        EXPECT_TRUE(PaintReport(document, ADevice));
    });
    EXPECT_EQ(title, "Report Preview");
    EXPECT_GE(paints, 1);
    EXPECT_EQ(pages, 1);
    EXPECT_DOUBLE_EQ(zoom, 1.0);
}
