// The worker and workplace dialogs driven through TPerson.Edit and
// TWorkplace.Edit of real managers on a temporary data folder.
#include "data/data_fixture.h"
#include "setup/setup_editor.h"
#include "support/dialog_driver.h"
#include "ui/input_limit.h"
#include "ui/person_editor.h"
#include "ui/qt_dialogs.h"
#include "ui/workplace_editor.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

namespace {

QString Focused()
{
    QWidget* focus = QApplication::focusWidget();
    // The pickers type into an inner line edit.
    if (focus && qobject_cast<QAbstractSpinBox*>(focus->parentWidget()))
        focus = focus->parentWidget();
    return focus ? focus->objectName() : QString();
}

void PressEnter()
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

class EditorsTest : public DataTest {
protected:
    void SetUp() override
    {
        DataTest::SetUp();
        Open();
    }

    void WhilePersonOpen(std::function<void(TPersonEditor*)> AWhileOpen)
    {
        WhileDialogOpen<TPersonEditor>("TPersonEditor", std::move(AWhileOpen));
    }
    void WhileWorkplaceOpen(std::function<void(TWorkplaceEditor*)> AWhileOpen)
    {
        WhileDialogOpen<TWorkplaceEditor>("TWorkplaceEditor", std::move(AWhileOpen));
    }

    QList<QVariantMap> Workers() const { return TableFileRecords(Folder + "Workers.cds"); }
    QList<QVariantMap> WorkplaceRows() const { return TableFileRecords(Folder + "Workplaces.cds"); }

    // Presses and releases the left button at column AX of the strip.
    static void ClickPalette(QWidget* ADialog, int AX)
    {
        QTest::mouseClick(Find<QLabel>(ADialog, "ImageColors"), Qt::LeftButton, {}, QPoint(AX, 7));
    }
};

// --- Worker editor ---

TEST_F(EditorsTest, LimitedInputsTakeOnlyWholeCharacters)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const QString accent = QString::fromUtf8("e\xCC\x81"); // a letter and its combining mark
    const QString name39 = QString(39, 'a');
    QString afterPair, afterMark, afterTyping, afterMiddle;
    WhilePersonOpen([&](TPersonEditor* d) {
        auto* name = Find<QLineEdit>(d, "EditName");
        name->setFocus();
        QTest::keyClicks(name, name39);
        // Pastes that fit only in part keep none of the character that does not fit.
        name->insert(smile);
        afterPair = name->text();
        name->insert(accent);
        afterMark = name->text();
        QTest::keyClicks(name, "bc");
        afterTyping = name->text();
        // A full field takes nothing more, wherever the cursor is.
        name->setCursorPosition(5);
        name->insert("Z");
        afterMiddle = name->text();
        PressEnter();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    ASSERT_NE(Store->Persons->AddPerson(), nullptr);
    EXPECT_EQ(afterPair, name39);
    EXPECT_EQ(afterMark, name39);
    EXPECT_EQ(afterTyping, name39 + "b");
    EXPECT_EQ(afterMiddle, name39 + "b");
    EXPECT_EQ(Workers().value(0)["Name"].toString(), name39 + "b");

    QString shortcut;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        Type(d, "EditName", "Hall");
        auto* edit = Find<QLineEdit>(d, "EditShortcut");
        edit->setFocus();
        edit->selectAll();
        edit->insert("HAL" + smile + smile);
        shortcut = edit->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    ASSERT_NE(Store->Workplaces->AddWorkplace(), nullptr);
    EXPECT_EQ(shortcut, "HAL" + smile);

    // The input box cuts a pasted name the same way.
    TQtDialogs dialogs;
    QString shown, value;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        edit->insert(QString(39, 't') + smile);
        shown = edit->text();
        box->accept();
    });
    EXPECT_TRUE(dialogs.InputQuery("New template", "Name of a template", value, 40));
    EXPECT_EQ(shown, QString(39, 't'));
    EXPECT_EQ(value, QString(39, 't'));
}

TEST_F(EditorsTest, NewWorkerOpensClosedAndANameEnablesOk)
{
    bool okBefore = true, okAfter = false;
    QString cancelBefore, cancelAfter, sorting, focusAtOpen, title;
    WhilePersonOpen([&](TPersonEditor* d) {
        title = d->windowTitle();
        focusAtOpen = Focused();
        okBefore = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancelBefore = Find<QPushButton>(d, "ButtonCancel")->text();
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "Ann Lee");
        PressEnter();
        sorting = Find<QLineEdit>(d, "EditSortingName")->text();
        okAfter = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancelAfter = Find<QPushButton>(d, "ButtonCancel")->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    TPerson* added = Store->Persons->AddPerson();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(title, "Worker");
    EXPECT_EQ(focusAtOpen, "EditName");
    EXPECT_FALSE(okBefore);
    EXPECT_EQ(cancelBefore, "Close");
    EXPECT_EQ(sorting, "Ann Lee");
    EXPECT_TRUE(okAfter);
    EXPECT_EQ(cancelAfter, "Cancel");
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
    const QList<QVariantMap> rows = Workers();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["Name"].toString(), "Ann Lee");
    EXPECT_EQ(rows[0]["SortingName"].toString(), "Ann Lee");
}

TEST_F(EditorsTest, SortingNameFollowsTheSwapRuleAndHintsAndLimits)
{
    Store->Setup->General()->SetSwapFirstAndSurName(true);
    QString sorting;
    WhilePersonOpen([&](TPersonEditor* d) {
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditName")), 40);
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditSortingName")), 40);
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditNote")), 80);
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditNoteOut")), 80);
        EXPECT_EQ(Find<QSpinBox>(d, "EditDaysOut")->maximum(), 999);
        EXPECT_EQ(Find<QSpinBox>(d, "EditDaysOut")->minimum(), 0);
        EXPECT_EQ(Find<QLineEdit>(d, "EditName")->placeholderText(), "Worker Name must be filled");
        EXPECT_EQ(
            Find<QLineEdit>(d, "EditSortingName")->toolTip(), "Must be filled, only for sorting, not for showing");
        EXPECT_EQ(Find<QToolButton>(d, "SBSetup")->toolTip(), "Setup rules for creating Sorting name");
        EXPECT_EQ(Find<QLineEdit>(d, "EditNote")->toolTip(), "Any note, phone number or other contact");
        EXPECT_EQ(Find<QLineEdit>(d, "EditNoteOut")->toolTip(), "Reason for an absence or note about an absence");
        // Fixed size, and no label cut at this resolution.
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        for (QLabel* label : d->findChildren<QLabel*>())
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "John Smith");
        PressEnter();
        sorting = Find<QLineEdit>(d, "EditSortingName")->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    ASSERT_NE(Store->Persons->AddPerson(), nullptr);
    EXPECT_EQ(sorting, "Smith John");
    EXPECT_EQ(Workers().value(0)["SortingName"].toString(), "Smith John");
}

TEST_F(EditorsTest, DuplicateNameIgnoringCaseGetsANumber)
{
    ASSERT_NE(AddPerson("Ann"), nullptr);
    QString shown;
    WhilePersonOpen([&](TPersonEditor* d) {
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "ANN");
        PressEnter();
        shown = Find<QLineEdit>(d, "EditName")->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    ASSERT_NE(Store->Persons->AddPerson(), nullptr);
    EXPECT_EQ(shown, "ANN1");
    const QList<QVariantMap> rows = Workers();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1]["Name"].toString(), "ANN1");
}

TEST_F(EditorsTest, SpacesAroundTheSameNameAreShownTrimmedAndChangeNothing)
{
    TPerson* ann = AddPerson("Ann");
    ASSERT_NE(ann, nullptr);
    QString shown, cancel;
    bool ok = true;
    WhilePersonOpen([&](TPersonEditor* d) {
        TypeInto(Find<QLineEdit>(d, "EditName"), "   Ann  ");
        PressEnter();
        shown = Find<QLineEdit>(d, "EditName")->text();
        ok = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancel = Find<QPushButton>(d, "ButtonCancel")->text();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(Store->Persons->EditPerson(ann));
    EXPECT_EQ(shown, "Ann");
    EXPECT_FALSE(ok);
    EXPECT_EQ(cancel, "Close");
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
    EXPECT_FALSE(ann->Modified());
}

TEST_F(EditorsTest, ExistingWorkerShowsItsFieldsAndClosesWithoutAsking)
{
    TPerson* ann = AddPerson("Ann");
    ann->SetSortingName("Lee, Ann");
    ann->SetNote("phone 123");
    ann->SetDateOutFrom(Day(2027, 3, 1));
    ann->SetDaysOut(4);
    ann->SetNoteOut("holiday");
    ASSERT_TRUE(Store->Persons->InsertPerson(ann));
    const QList<QVariantMap> before = Workers();
    bool ok = true;
    QString cancel;
    WhilePersonOpen([&](TPersonEditor* d) {
        EXPECT_EQ(Find<QLineEdit>(d, "EditName")->text(), "Ann");
        EXPECT_EQ(Find<QLineEdit>(d, "EditSortingName")->text(), "Lee, Ann");
        EXPECT_EQ(Find<QLineEdit>(d, "EditNote")->text(), "phone 123");
        EXPECT_EQ(Find<QDateEdit>(d, "EditDateOutFrom")->date(), QDate(2027, 3, 1));
        EXPECT_EQ(Find<QSpinBox>(d, "EditDaysOut")->value(), 4);
        EXPECT_EQ(Find<QLineEdit>(d, "EditNoteOut")->text(), "holiday");
        ok = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancel = Find<QPushButton>(d, "ButtonCancel")->text();
        Find<QPushButton>(d, "ButtonCancel")->click();
    });
    EXPECT_FALSE(Store->Persons->EditPerson(ann));
    EXPECT_FALSE(ok);
    EXPECT_EQ(cancel, "Close");
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
    EXPECT_EQ(Workers(), before);
    EXPECT_EQ(ann->Editor(), nullptr);
}

TEST_F(EditorsTest, NewWorkerShowsTodayWithoutAbsence)
{
    QDate shown;
    int days = -1;
    WhilePersonOpen([&](TPersonEditor* d) {
        shown = Find<QDateEdit>(d, "EditDateOutFrom")->date();
        days = Find<QSpinBox>(d, "EditDaysOut")->value();
        d->reject();
    });
    EXPECT_EQ(Store->Persons->AddPerson(), nullptr);
    EXPECT_EQ(shown, QDate::currentDate());
    EXPECT_EQ(days, 0);
    EXPECT_TRUE(Workers().isEmpty());
}

TEST_F(EditorsTest, EscapeAfterEditingAsksAndYesSaves)
{
    TPerson* ann = AddPerson("Ann");
    Dialogs().AnswerMessage(mrYes);
    WhilePersonOpen([&](TPersonEditor* d) {
        TypeInto(Find<QLineEdit>(d, "EditNote"), "night shifts");
        PressEnter();
        EXPECT_EQ(Focused(), "EditDateOutFrom");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_TRUE(Store->Persons->EditPerson(ann));
    ASSERT_EQ(Dialogs().MessageTexts(), QStringList{"The worker is not saved. Do you want to save?"});
    EXPECT_EQ(Dialogs().Questions().back().Buttons, mbYes | mbNo | mbCancel);
    EXPECT_EQ(Workers().value(0)["Note"].toString(), "night shifts");
}

TEST_F(EditorsTest, EscapeStillInTheTypedFieldAsksToo)
{
    TPerson* ann = AddPerson("Ann");
    Dialogs().AnswerMessage(mrYes);
    WhilePersonOpen([&](TPersonEditor* d) {
        auto* note = Find<QLineEdit>(d, "EditNoteOut");
        TypeInto(note, "flu");
        QTest::keyClick(note, Qt::Key_Escape);
    });
    EXPECT_TRUE(Store->Persons->EditPerson(ann));
    EXPECT_EQ(Dialogs().MessageTexts().size(), 1);
    EXPECT_EQ(Workers().value(0)["NoteOut"].toString(), "flu");
}

TEST_F(EditorsTest, NoToTheQuestionRestoresTheWorkerAndTheFile)
{
    TPerson* ann = AddPerson("Ann");
    const QList<QVariantMap> before = Workers();
    Dialogs().AnswerMessage(mrNo);
    QString typedShown;
    WhilePersonOpen([&](TPersonEditor* d) {
        TypeInto(Find<QLineEdit>(d, "EditName"), "Bob");
        PressEnter();
        typedShown = Find<QLineEdit>(d, "EditName")->text();
        Find<QPushButton>(d, "ButtonCancel")->click();
    });
    EXPECT_FALSE(Store->Persons->EditPerson(ann));
    EXPECT_EQ(typedShown, "Bob");
    EXPECT_EQ(ann->Name(), "Ann");
    EXPECT_FALSE(ann->Modified());
    EXPECT_EQ(Dialogs().MessageTexts().size(), 1);
    EXPECT_EQ(Workers(), before);
}

TEST_F(EditorsTest, CancelToTheQuestionKeepsTheDialogOpenAlsoForTheCloseBox)
{
    TPerson* ann = AddPerson("Ann");
    Dialogs().AnswerMessage(mrCancel);
    Dialogs().AnswerMessage(mrCancel);
    bool openAfterCancelButton = false, openAfterCloseBox = false;
    WhilePersonOpen([&](TPersonEditor* d) {
        TypeInto(Find<QLineEdit>(d, "EditName"), "Bob");
        PressEnter();
        Find<QPushButton>(d, "ButtonCancel")->click();
        openAfterCancelButton = d->isVisible();
        d->close();
        openAfterCloseBox = d->isVisible();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    EXPECT_TRUE(Store->Persons->EditPerson(ann));
    EXPECT_TRUE(openAfterCancelButton);
    EXPECT_TRUE(openAfterCloseBox);
    EXPECT_EQ(Dialogs().MessageTexts().size(), 2);
    EXPECT_EQ(Workers().value(0)["Name"].toString(), "Bob");
}

TEST_F(EditorsTest, EnterWalksTheFieldsAndStoresEveryOne)
{
    QStringList walk;
    WhilePersonOpen([&](TPersonEditor* d) {
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "Ann Lee");
        PressEnter();
        walk << Focused();
        // Entered by keyboard, the derived text is selected and typing replaces it.
        QTest::keyClicks(Find<QLineEdit>(d, "EditSortingName"), "Lee, Ann");
        PressEnter();
        walk << Focused();
        QTest::keyClicks(Find<QLineEdit>(d, "EditNote"), "room 4");
        PressEnter();
        walk << Focused();
        Find<QDateEdit>(d, "EditDateOutFrom")->setDate(QDate(2027, 5, 10));
        PressEnter();
        walk << Focused();
        auto* days = Find<QSpinBox>(d, "EditDaysOut");
        days->selectAll();
        QTest::keyClicks(days, "12");
        PressEnter();
        walk << Focused();
        QTest::keyClicks(Find<QLineEdit>(d, "EditNoteOut"), "course");
        PressEnter();
        walk << Focused();
        PressEnter();
        walk << Focused();
        PressEnter();
    });
    TPerson* added = Store->Persons->AddPerson();
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(walk, (QStringList{"EditSortingName", "EditNote", "EditDateOutFrom", "EditDaysOut", "EditNoteOut",
                        "ButtonCancel", "ButtonOK"}));
    const QList<QVariantMap> rows = Workers();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["Name"].toString(), "Ann Lee");
    EXPECT_EQ(rows[0]["SortingName"].toString(), "Lee, Ann");
    EXPECT_EQ(rows[0]["Note"].toString(), "room 4");
    EXPECT_EQ(rows[0]["DateOutFrom"].toDouble(), Day(2027, 5, 10));
    EXPECT_EQ(rows[0]["DaysOut"].toInt(), 12);
    EXPECT_EQ(rows[0]["NoteOut"].toString(), "course");
}

TEST_F(EditorsTest, EnterOnCancelStaysWhileOkIsDisabled)
{
    QString focus;
    WhilePersonOpen([&](TPersonEditor* d) {
        Find<QPushButton>(d, "ButtonCancel")->setFocus();
        PressEnter();
        focus = Focused();
        EXPECT_TRUE(d->isVisible());
        d->reject();
    });
    EXPECT_EQ(Store->Persons->AddPerson(), nullptr);
    EXPECT_EQ(focus, "ButtonCancel");
}

TEST_F(EditorsTest, OkWithTheNameJustClearedNeitherClosesNorStores)
{
    TPerson* ann = AddPerson("Ann");
    const QList<QVariantMap> before = Workers();
    bool openAfterOk = false, okAfter = true;
    WhilePersonOpen([&](TPersonEditor* d) {
        TypeInto(Find<QLineEdit>(d, "EditNote"), "x");
        PressEnter();
        auto* name = Find<QLineEdit>(d, "EditName");
        name->setFocus();
        name->clear();
        Find<QPushButton>(d, "ButtonOK")->click();
        openAfterOk = d->isVisible();
        okAfter = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        d->reject();
    });
    EXPECT_FALSE(Store->Persons->EditPerson(ann));
    EXPECT_TRUE(openAfterOk);
    EXPECT_FALSE(okAfter);
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());
    EXPECT_EQ(ann->Name(), "Ann");
    EXPECT_EQ(Workers(), before);
}

TEST_F(EditorsTest, SetupButtonOpensTheLockedWorkerPage)
{
    TPerson* ann = AddPerson("Ann Lee");
    QString page;
    bool dataEnabled = true, maintenanceEnabled = true;
    WhileDialogOpen<TSetupEditor>("TSetupEditor", [&](TSetupEditor* s) {
        page = Find<QTabWidget>(s, "PageControl")->currentWidget()->objectName();
        dataEnabled = Find<QRadioButton>(s, "RBOtherDataFolder")->isEnabled()
                      || Find<QRadioButton>(s, "RBUserDocuments")->isEnabled();
        maintenanceEnabled = Find<QPushButton>(s, "ButtonRunMaintenance")->isEnabled();
        Find<QCheckBox>(s, "CBSwapFirstAndSurName")->click();
        Find<QPushButton>(s, "ButtonOK")->click();
    });
    QString sortingAfter;
    WhilePersonOpen([&](TPersonEditor* d) {
        Find<QToolButton>(d, "SBSetup")->click();
        sortingAfter = Find<QLineEdit>(d, "EditSortingName")->text();
        d->reject();
    });
    EXPECT_FALSE(Store->Persons->EditPerson(ann));
    EXPECT_EQ(page, "TSPersons");
    EXPECT_FALSE(dataEnabled);
    EXPECT_FALSE(maintenanceEnabled);
    EXPECT_TRUE(Store->Setup->General()->SwapFirstAndSurName());
    // The rule applies to later derivations only.
    EXPECT_EQ(sortingAfter, "Ann Lee");
    EXPECT_EQ(ann->SortingName(), "Ann Lee");
}

// --- Workplace editor ---

TEST_F(EditorsTest, NewWorkplaceDerivesTheShortcutAndTakesAPaletteColour)
{
    QString title, cancelBefore, colorBefore, shortcut, colorAfter, cancelAfter;
    bool okBefore = true, okAfter = false;
    QColor background;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        title = d->windowTitle();
        okBefore = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancelBefore = Find<QPushButton>(d, "ButtonCancel")->text();
        colorBefore = Find<QLineEdit>(d, "EditColor")->text();
        EXPECT_EQ(Focused(), "EditName");
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "Kitchen");
        PressEnter();
        shortcut = Find<QLineEdit>(d, "EditShortcut")->text();
        okAfter = Find<QPushButton>(d, "ButtonOK")->isEnabled();
        cancelAfter = Find<QPushButton>(d, "ButtonCancel")->text();
        ClickPalette(d, 100);
        colorAfter = Find<QLineEdit>(d, "EditColor")->text();
        background = Find<QLineEdit>(d, "EditColor")->palette().color(QPalette::Base);
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    ASSERT_NE(Store->Workplaces->AddWorkplace(), nullptr);
    EXPECT_EQ(title, "Workplace");
    EXPECT_FALSE(okBefore);
    EXPECT_EQ(cancelBefore, "Close");
    EXPECT_EQ(colorBefore, "$00FFFFFF");
    EXPECT_EQ(shortcut, "Kit");
    EXPECT_TRUE(okAfter);
    EXPECT_EQ(cancelAfter, "Cancel");
    EXPECT_EQ(colorAfter, "$00F3FFDF");
    EXPECT_EQ(background, QColor(0xDF, 0xFF, 0xF3));
    const QList<QVariantMap> rows = WorkplaceRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["Name"].toString(), "Kitchen");
    EXPECT_EQ(rows[0]["Shortcut"].toString(), "Kit");
    EXPECT_EQ(rows[0]["Color"].toLongLong(), 0xF3FFDF);
}

TEST_F(EditorsTest, PaletteEdgesAndPressWithoutClick)
{
    TWorkplace* hall = AddWorkplace("Hall");
    QStringList shown;
    TColor pickedOnly = 0;
    QString afterPressOnly;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        EXPECT_EQ(Find<QLabel>(d, "ImageColors")->size(), QSize(257, 15));
        EXPECT_EQ(Find<QLabel>(d, "ImageColors")->cursor().shape(), Qt::CrossCursor);
        for (int x : {0, 15, 16, 255, 256}) {
            ClickPalette(d, x);
            shown << Find<QLineEdit>(d, "EditColor")->text();
        }
        // A press alone picks but does not apply; the release elsewhere is no click.
        auto* strip = Find<QLabel>(d, "ImageColors");
        QTest::mousePress(strip, Qt::LeftButton, {}, QPoint(40, 7));
        QTest::mouseRelease(strip, Qt::LeftButton, {}, QPoint(300, 7));
        pickedOnly = d->PickedColor();
        afterPressOnly = Find<QLineEdit>(d, "EditColor")->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    EXPECT_TRUE(Store->Workplaces->EditWorkplace(hall));
    EXPECT_EQ(shown, (QStringList{"$00DFDFFF", "$00DFDFFF", "$00DFEBFF", "$00EFEFEF", "$00EFEFEF"}));
    EXPECT_EQ(pickedOnly, 0xDFF8FFu);
    EXPECT_EQ(afterPressOnly, "$00EFEFEF");
    EXPECT_EQ(WorkplaceRows().value(0)["Color"].toLongLong(), 0xEFEFEF);
}

TEST_F(EditorsTest, ColourDialogIsPresetAndADarkColourShowsLightened)
{
    TWorkplace* hall = AddWorkplace("Hall");
    Dialogs().AnswerColor(std::nullopt);
    Dialogs().AnswerColor(0x000000);
    Dialogs().AnswerColor(0x102030);
    QStringList shown;
    QColor background;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        auto* edit = Find<QLineEdit>(d, "EditColor");
        EXPECT_TRUE(edit->isReadOnly());
        auto* button = edit->findChild<QAction*>("EditColorButton");
        ASSERT_NE(button, nullptr);
        button->trigger(); // cancelled
        shown << edit->text();
        button->trigger(); // black
        shown << edit->text();
        background = edit->palette().color(QPalette::Base);
        QTest::mouseDClick(edit, Qt::LeftButton);
        shown << edit->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    EXPECT_TRUE(Store->Workplaces->EditWorkplace(hall));
    EXPECT_EQ(shown[0], "$00FFFFFF");
    EXPECT_EQ(shown[1], "$00DCDCDC");
    EXPECT_EQ(background, QColor(0xDC, 0xDC, 0xDC));
    EXPECT_EQ(shown[2], TWorkplaceEditor::ColorText(hall->Color()));
    EXPECT_GE(ColorRed(hall->Color()), 200);
    // Each opening is preset to the colour the workplace has at that moment,
    // with the sixteen custom colours.
    QStringList presets;
    for (const auto& question : Dialogs().Questions())
        if (question.Kind == "color") {
            presets << question.Text;
            EXPECT_EQ(question.Buttons, 16);
        }
    EXPECT_EQ(presets, (QStringList{"ffffff", "ffffff", "dcdcdc"}));
    EXPECT_EQ(WorkplaceRows().value(0)["Color"].toLongLong(), hall->Color());
}

TEST_F(EditorsTest, WorkplaceDuplicatesGetNumbersAndCaretsAreTrimmed)
{
    ASSERT_NE(AddWorkplace("Kitchen"), nullptr);
    QString name, shortcut, caretShortcut;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditName")), 40);
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditShortcut")), 5);
        EXPECT_EQ(InputLimit(Find<QLineEdit>(d, "EditNote")), 80);
        EXPECT_EQ(Find<QLineEdit>(d, "EditName")->toolTip(), "Workplace Name must be filled");
        EXPECT_EQ(Find<QLineEdit>(d, "EditShortcut")->toolTip(), "Must be filled");
        EXPECT_EQ(d->minimumSize(), d->maximumSize());
        for (QLabel* label : d->findChildren<QLabel*>())
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "^kitchen ");
        PressEnter();
        name = Find<QLineEdit>(d, "EditName")->text();
        shortcut = Find<QLineEdit>(d, "EditShortcut")->text();
        TypeInto(Find<QLineEdit>(d, "EditShortcut"), "^");
        PressEnter();
        caretShortcut = Find<QLineEdit>(d, "EditShortcut")->text();
        Find<QPushButton>(d, "ButtonOK")->click();
    });
    ASSERT_NE(Store->Workplaces->AddWorkplace(), nullptr);
    EXPECT_EQ(name, "kitchen1");
    EXPECT_EQ(shortcut, "kit1");
    // A lone caret falls back to the derived shortcut, kept unique.
    EXPECT_EQ(caretShortcut, "kit1");
    const QList<QVariantMap> rows = WorkplaceRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1]["Name"].toString(), "kitchen1");
    EXPECT_EQ(rows[1]["Shortcut"].toString(), "kit1");
}

TEST_F(EditorsTest, WorkplaceEnterWalkStoresEveryField)
{
    QStringList walk;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        QTest::keyClicks(Find<QLineEdit>(d, "EditName"), "Hall");
        PressEnter();
        walk << Focused();
        TypeInto(Find<QLineEdit>(d, "EditShortcut"), "H1");
        PressEnter();
        walk << Focused();
        PressEnter();
        walk << Focused();
        QTest::keyClicks(Find<QLineEdit>(d, "EditNote"), "ground floor");
        PressEnter();
        walk << Focused();
        PressEnter();
        walk << Focused();
        PressEnter();
    });
    ASSERT_NE(Store->Workplaces->AddWorkplace(), nullptr);
    EXPECT_EQ(walk, (QStringList{"EditShortcut", "EditColor", "EditNote", "ButtonCancel", "ButtonOK"}));
    const QList<QVariantMap> rows = WorkplaceRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0]["Name"].toString(), "Hall");
    EXPECT_EQ(rows[0]["Shortcut"].toString(), "H1");
    EXPECT_EQ(rows[0]["Note"].toString(), "ground floor");
    EXPECT_EQ(rows[0]["Color"].toLongLong(), 0xFFFFFF);
}

TEST_F(EditorsTest, WorkplaceCloseQuestionAnswers)
{
    TWorkplace* hall = AddWorkplace("Hall");
    const QList<QVariantMap> before = WorkplaceRows();
    // Closing at once asks nothing.
    WhileWorkplaceOpen([](TWorkplaceEditor*) { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); });
    EXPECT_FALSE(Store->Workplaces->EditWorkplace(hall));
    EXPECT_TRUE(Dialogs().MessageTexts().isEmpty());

    // Cancel stays, No restores.
    Dialogs().AnswerMessage(mrCancel);
    Dialogs().AnswerMessage(mrNo);
    bool stayed = false;
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        ClickPalette(d, 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        stayed = d->isVisible();
        d->close();
    });
    EXPECT_FALSE(Store->Workplaces->EditWorkplace(hall));
    EXPECT_TRUE(stayed);
    EXPECT_EQ(hall->Color(), 0xFFFFFFu);
    EXPECT_EQ(WorkplaceRows(), before);

    // Yes saves.
    Dialogs().AnswerMessage(mrYes);
    WhileWorkplaceOpen([&](TWorkplaceEditor* d) {
        TypeInto(Find<QLineEdit>(d, "EditNote"), "upstairs");
        Find<QPushButton>(d, "ButtonCancel")->click();
    });
    EXPECT_TRUE(Store->Workplaces->EditWorkplace(hall));
    EXPECT_EQ(Dialogs().MessageTexts(), QStringList(3, "The workplace is not saved. Do you want to save?"));
    EXPECT_EQ(WorkplaceRows().value(0)["Note"].toString(), "upstairs");
}

} // namespace

namespace {

// The keyboard's way to choose a workplace or a worker: the real dialog of the
// seam, typed into while it is open.
TEST(PickEntryDialogTest, TypingNarrowsTheListAndEnterTakesTheChosenEntry)
{
    TQtDialogs dialogs;
    const QStringList entries{"K1  Kitchen", "B2  Bar", "KB  Kitchen back", "ST  Storeroom"};
    auto pick = [&](std::function<void(QDialog*, QLineEdit*)> AWhileOpen) {
        QTimer::singleShot(0, [AWhileOpen] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QApplication::setActiveWindow(dialog);
            AWhileOpen(dialog, Find<QLineEdit>(dialog, "EditFilter"));
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog stayed open";
                dialog->reject();
            }
        });
        int chosen = 1;
        return dialogs.PickEntry(QStringLiteral("Workplace for Ann"), entries, chosen) ? chosen : -1;
    };
    // The proposed entry is chosen at first; words match anywhere, in any case.
    EXPECT_EQ(pick([](QDialog*, QLineEdit* AEdit) { QTest::keyClick(AEdit, Qt::Key_Return); }), 1);
    EXPECT_EQ(pick([](QDialog* ADialog, QLineEdit* AEdit) {
        TypeInto(AEdit, QStringLiteral("kit"));
        auto* list = Find<QListWidget>(ADialog, "ListEntries");
        EXPECT_TRUE(list->item(1)->isHidden());
        EXPECT_FALSE(list->item(2)->isHidden());
        // The arrows move in the list while the focus stays in the search.
        QTest::keyClick(AEdit, Qt::Key_Down);
        EXPECT_TRUE(AEdit->hasFocus());
        QTest::keyClick(AEdit, Qt::Key_Return);
    }),
        2);
    EXPECT_EQ(pick([](QDialog*, QLineEdit* AEdit) {
        TypeInto(AEdit, QStringLiteral("BACK kit"));
        QTest::keyClick(AEdit, Qt::Key_Return);
    }),
        2);
    // Nothing matching takes nothing; Escape cancels.
    EXPECT_EQ(pick([](QDialog*, QLineEdit* AEdit) {
        TypeInto(AEdit, QStringLiteral("zz"));
        QTest::keyClick(AEdit, Qt::Key_Return);
    }),
        -1);
    EXPECT_EQ(pick([](QDialog*, QLineEdit* AEdit) { QTest::keyClick(AEdit, Qt::Key_Escape); }), -1);
}

} // namespace
