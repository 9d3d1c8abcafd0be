// The widget side of the report output: driven through timers, since the
// dialogs are modal. A watchdog closes whatever is left open.
#include "report_fixture.h"

#include "reports/report_paint.h"
#include "ui/qt_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGraphicsView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
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

TEST(QtReportDialogs, OutputOptionsOfferThePrinterDialogsChoiceOrAPreviewOverTheProgram)
{
    // The program's window, not active: the printer dialog just closed.
    QMainWindow program;
    program.setGeometry(300, 200, 640, 480);
    program.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&program));
    QApplication::setActiveWindow(nullptr);

    TQtDialogs dialogs;
    TReportDestination destination = rdFile;
    QString title;
    QString target;
    bool fileDefault = false;
    bool asksForAName = true;
    QPoint centre;
    Watchdog();
    QTimer::singleShot(0, [&] {
        QDialog* dialog = ModalDialog();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        ASSERT_NE(Radio(dialog, "File (PDF)"), nullptr);
        ASSERT_NE(Radio(dialog, "Preview"), nullptr);
        EXPECT_EQ(Radio(dialog, "Printer"), nullptr);
        fileDefault = Radio(dialog, "File (PDF)")->isChecked();
        asksForAName = dialog->findChild<QLineEdit*>() != nullptr;
        target = dialog->findChild<QLabel*>("LabelOutputTarget")->text();
        centre = dialog->frameGeometry().center();
        Radio(dialog, "Preview")->setChecked(true);
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(dialogs.ReportOutputOptions(destination, "/tmp/out/report.pdf"));
    EXPECT_EQ(title, "Output Options");
    EXPECT_TRUE(fileDefault);
    EXPECT_FALSE(asksForAName);
    EXPECT_EQ(target, "/tmp/out/report.pdf");
    EXPECT_EQ(destination, rdPreview);
    EXPECT_LE((centre - program.frameGeometry().center()).manhattanLength(), 4);

    // A printer is offered by name; the default keeps it; cancel changes nothing.
    destination = rdPrinter;
    QTimer::singleShot(0, [&] {
        QDialog* dialog = ModalDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(Radio(dialog, "Printer")->isChecked());
        target = dialog->findChild<QLabel*>("LabelOutputTarget")->text();
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    ASSERT_TRUE(dialogs.ReportOutputOptions(destination, "Office laser"));
    EXPECT_EQ(target, "Office laser");
    EXPECT_EQ(destination, rdPrinter);
    QTimer::singleShot(0, [] { ModalDialog()->reject(); });
    EXPECT_FALSE(dialogs.ReportOutputOptions(destination, "Office laser"));
    EXPECT_EQ(destination, rdPrinter);
}

TEST(QtReportDialogs, PreviewOpensAtTheTopOfTheFirstPageFittedToTheWidth)
{
    TPrintTables tables;
    FillFixture(tables);
    const TReportDocument document = LayoutReport(
        ProjectLayout("DailyScheduleFull"), ScheduleParams(), Connections(tables), TReportPageGeometry());
    TQtDialogs dialogs;
    QPrinter printer;
    int paints = 0;
    QString title;
    bool fitted = false;
    int scroll = -1;
    int scrollMinimum = 0;
    int scrollMaximum = 0;
    int pages = 0;
    Watchdog();
    QTimer::singleShot(300, [&] {
        QDialog* dialog = ModalDialog();
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        auto* widget = dialog->findChild<QPrintPreviewWidget*>();
        ASSERT_NE(widget, nullptr);
        fitted = widget->zoomMode() == QPrintPreviewWidget::FitToWidth;
        pages = widget->pageCount();
        auto* view = widget->findChild<QGraphicsView*>();
        ASSERT_NE(view, nullptr);
        scroll = view->verticalScrollBar()->value();
        scrollMinimum = view->verticalScrollBar()->minimum();
        scrollMaximum = view->verticalScrollBar()->maximum();
        dialog->reject();
    });
    dialogs.ReportPreview(&printer, [&](QPagedPaintDevice* ADevice) {
        ++paints;
        EXPECT_TRUE(PaintReport(document, ADevice));
    });
    EXPECT_EQ(title, "Report Preview");
    EXPECT_GE(paints, 1);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(fitted);
    // A page fitted to the width is taller than the view: it can scroll, and
    // it opens scrolled to the top.
    EXPECT_GT(scrollMaximum, scrollMinimum);
    EXPECT_EQ(scroll, scrollMinimum);
}
