// User templates from the workplace list view: the two menus built when they
// open, saving, overwriting, removing and applying, on the templates table.
#include "tests/ui/daily/ds_workplace_views_fixture.h"

namespace {

using Pairs = std::set<std::pair<int, int>>;

class TemplatesTest : public WorkplaceViewsTest {
protected:
    QMenu* ApplyMenu()
    {
        auto* menu = Find<QMenu>("PUMenuApplyTemplate");
        emit menu->aboutToShow();
        return menu;
    }
    QMenu* SaveMenu()
    {
        auto* menu = Find<QMenu>("PUMenuSaveTemplate");
        emit menu->aboutToShow();
        return menu;
    }
    static QStringList Entries(QMenu* AMenu)
    {
        QStringList entries;
        for (QAction* a : AMenu->actions())
            entries << a->objectName() + (a->isSeparator() ? QString() : QStringLiteral("=") + a->text());
        return entries;
    }
    QAction* Entry(QMenu* AMenu, const QString& AName) { return AMenu->findChild<QAction*>(AName); }
    void PlanTheDay()
    {
        ASSERT_TRUE(Schedule->AddPersonToWorkplace(AnnID, KitchenID));
        ASSERT_TRUE(Schedule->AddPersonToWorkplace(BobID, BarID));
    }
};

TEST_F(TemplatesTest, WithoutTemplatesBothMenusOfferNothingToChoose)
{
    QMenu* apply = ApplyMenu();
    ASSERT_EQ(apply->actions().size(), 1);
    QAction* none = apply->actions()[0];
    EXPECT_EQ(none->objectName(), "PUMenuApplyTemplate1");
    EXPECT_EQ(none->text(), "any template is not defined");
    EXPECT_FALSE(none->isEnabled());
    EXPECT_EQ(Entries(SaveMenu()), QStringList{"PUMenuSaveTemplateAdd=Save as a new template..."});
    // Reopening rebuilds instead of adding.
    EXPECT_EQ(ApplyMenu()->actions().size(), 1);
    EXPECT_EQ(SaveMenu()->actions().size(), 1);
}

TEST_F(TemplatesTest, MenusListTheStoredTemplatesInTableOrder)
{
    PutTemplate("Morning", {{AnnID, KitchenID}});
    PutTemplate("Tom & Jerry", {{BobID, BarID}});
    EXPECT_EQ(Entries(ApplyMenu()), (QStringList{"PUMenuApplyTemplate1=Apply template \"Morning\"",
                                        "PUMenuApplyTemplate2=Apply template \"Tom && Jerry\""}));
    EXPECT_EQ(Entries(SaveMenu()), (QStringList{"PUMenuSaveTemplateAdd=Save as a new template...",
                                       "PUMenuSaveTemplate_1", "PUMenuSaveTemplate1=Save template as \"Morning\"",
                                       "PUMenuSaveTemplate2=Save template as \"Tom && Jerry\""}));
    // Removed meanwhile: gone at the next opening.
    PutTemplate("Morning", {});
    EXPECT_EQ(Entries(ApplyMenu()), QStringList{"PUMenuApplyTemplate1=Apply template \"Tom && Jerry\""});
    EXPECT_EQ(SaveMenu()->actions().size(), 3);
}

TEST_F(TemplatesTest, ApplyingATemplateAddsItsPairsToTheDay)
{
    PutTemplate("Tom & Jerry", {{AnnID, KitchenID}, {BobID, KitchenID}});
    Entry(ApplyMenu(), "PUMenuApplyTemplate1")->trigger();
    Settle();
    EXPECT_EQ(JobPairs(TestDay), (Pairs{{AnnID, KitchenID}, {BobID, KitchenID}}));
    EXPECT_EQ(RowCount(PanelOf(KitchenID)), 2);
    // A template that lost its pairs after the menu was built applies nothing.
    PutTemplate("Evening", {{AnnID, BarID}});
    QMenu* menu = ApplyMenu();
    PutTemplate("Evening", {});
    Entry(menu, "PUMenuApplyTemplate1")->trigger();
    EXPECT_EQ(JobPairs(TestDay).size(), 2u);
    EXPECT_TRUE(Dialogs().Questions().empty());
}

TEST_F(TemplatesTest, AnEmptyDayRemovesANamedTemplateOnYesAndIgnoresANewOne)
{
    PutTemplate("Morning", {{AnnID, KitchenID}});
    // "Save as a new template..." on an empty day: nothing asked or stored.
    Entry(SaveMenu(), "PUMenuSaveTemplateAdd")->trigger();
    EXPECT_TRUE(Dialogs().Questions().empty());
    EXPECT_EQ(TemplateNames(), QStringList{"Morning"});

    Dialogs().AnswerMessage(mrNo);
    Entry(SaveMenu(), "PUMenuSaveTemplate1")->trigger();
    ASSERT_EQ(Dialogs().Questions().size(), 1u);
    EXPECT_EQ(Dialogs().Questions()[0].Text, "Do you want to remove the template\r\n\"Morning\"?\r\nReally?");
    EXPECT_EQ(TemplatePairs("Morning"), (Pairs{{AnnID, KitchenID}}));
    Dialogs().AnswerMessage(mrYes);
    Entry(SaveMenu(), "PUMenuSaveTemplate1")->trigger();
    EXPECT_TRUE(TemplateNames().isEmpty());
    Frame.reset();
    Schedule.reset();
    Reopen();
    EXPECT_TRUE(TemplateNames().isEmpty());
}

TEST_F(TemplatesTest, ANewTemplateIsAskedForAndStoredTrimmed)
{
    PlanTheDay();
    // Cancelled, or a name of blanks only: nothing is stored.
    Dialogs().AnswerInput(std::nullopt);
    Action("ActionAddTemplate")->trigger();
    Dialogs().AnswerInput(QStringLiteral(" \t "));
    Action("ActionAddTemplate")->trigger();
    EXPECT_TRUE(TemplateNames().isEmpty());
    ASSERT_EQ(Dialogs().Questions().size(), 2u);
    EXPECT_EQ(Dialogs().Questions()[0].Kind, "input");
    EXPECT_EQ(Dialogs().Questions()[0].Text, "New template|Name of a template");
    EXPECT_EQ(Dialogs().Questions()[0].Buttons, 40);

    Dialogs().AnswerInput(QStringLiteral("  Late shift\t"));
    Entry(SaveMenu(), "PUMenuSaveTemplateAdd")->trigger();
    EXPECT_EQ(TemplateNames(), QStringList{"Late shift"});
    EXPECT_EQ(TemplatePairs("Late shift"), (Pairs{{AnnID, KitchenID}, {BobID, BarID}}));
    // Saved at once: the file holds it after a reopen.
    Frame.reset();
    Schedule.reset();
    Reopen();
    EXPECT_EQ(TemplatePairs("late shift"), (Pairs{{AnnID, KitchenID}, {BobID, BarID}}));
}

TEST_F(TemplatesTest, AnExistingNameIgnoringCaseIsOverwrittenOnlyOnYes)
{
    PutTemplate("Morning", {{BobID, KitchenID}});
    PlanTheDay();
    Dialogs().AnswerInput(QStringLiteral("morning"));
    Dialogs().AnswerMessage(mrNo);
    Action("ActionAddTemplate")->trigger();
    ASSERT_EQ(Dialogs().Questions().size(), 2u);
    EXPECT_EQ(Dialogs().Questions()[1].Text, "Template\r\n\"morning\"\r\nexists. Overwrite?");
    EXPECT_EQ(TemplatePairs("Morning"), (Pairs{{BobID, KitchenID}}));
    EXPECT_EQ(TemplateNames().size(), 1);

    // From the save menu the name is the entry's.
    Dialogs().AnswerMessage(mrYes);
    Entry(SaveMenu(), "PUMenuSaveTemplate1")->trigger();
    EXPECT_EQ(Dialogs().Questions().back().Text, "Template\r\n\"Morning\"\r\nexists. Overwrite?");
    EXPECT_EQ(TemplatePairs("Morning"), (Pairs{{AnnID, KitchenID}, {BobID, BarID}}));
    EXPECT_EQ(TemplateNames().size(), 1);
}

TEST_F(TemplatesTest, QuotesAtTheEndsOfAStoredNameAreLostFromTheMenu)
{
    PutTemplate("\"Night\"", {{AnnID, BarID}});
    QMenu* apply = ApplyMenu();
    ASSERT_EQ(Entries(apply), QStringList{"PUMenuApplyTemplate1=Apply template \"\"Night\"\""});
    // Looked up as Night, which has no pairs: nothing is applied.
    Entry(apply, "PUMenuApplyTemplate1")->trigger();
    EXPECT_TRUE(JobPairs(TestDay).empty());
    // Saved from the menu under the shortened name, a template of its own.
    PlanTheDay();
    Entry(SaveMenu(), "PUMenuSaveTemplate1")->trigger();
    EXPECT_TRUE(Dialogs().Questions().empty());
    EXPECT_EQ(TemplateNames(), (QStringList{"\"Night\"", "Night"}));
    EXPECT_EQ(TemplatePairs("Night"), (Pairs{{AnnID, KitchenID}, {BobID, BarID}}));
    EXPECT_EQ(TemplatePairs("\"Night\""), (Pairs{{AnnID, BarID}}));
}

TEST_F(TemplatesTest, TheNameIsReadFromTheCaptionAfterItsLeadingText)
{
    EXPECT_EQ(
        TDSWorkplaceListFrame::TemplateNameFromCaption("Apply template \"Morning\"", "Apply template"), "Morning");
    EXPECT_EQ(TDSWorkplaceListFrame::TemplateNameFromCaption("Save template as \"\"\"A \"B\"\"\"", "Save template as"),
        "A \"B");
    EXPECT_EQ(TDSWorkplaceListFrame::TemplateNameFromCaption(
                  "Apply template \"" + QString(300, 'x') + "\"", "Apply template"),
        QString(255, 'x'));
}

TEST_F(TemplatesTest, ANameOfTheFullFieldLengthIsFoundFromItsEntry)
{
    const QString name40 = QString(40, 'n');
    PutTemplate(name40, {{BobID, KitchenID}});
    PlanTheDay();
    Dialogs().AnswerInput(QStringLiteral("  ") + name40.left(38));
    Action("ActionAddTemplate")->trigger();
    EXPECT_EQ(TemplateNames().size(), 2);
    // An entry for the long name finds the stored one.
    Dialogs().AnswerMessage(mrYes);
    Entry(SaveMenu(), "PUMenuSaveTemplate1")->trigger();
    EXPECT_EQ(Dialogs().Questions().back().Text, "Template\r\n\"" + name40 + "\"\r\nexists. Overwrite?");
    EXPECT_EQ(TemplatePairs(name40), (Pairs{{AnnID, KitchenID}, {BobID, BarID}}));
}

} // namespace

namespace {

using TemplatesFailureTest = TemplatesTest;

TEST_F(TemplatesFailureTest, ATemplateTheFileRefusesIsReportedNotSilentlyLost)
{
    PlanTheDay();
    Store->Macros->CloseDBFiles();
    Dialogs().AnswerInput(QStringLiteral("Morning"));
    Dialogs().AnswerMessage(mrOk);
    Action("ActionAddTemplate")->trigger();
    ASSERT_EQ(Dialogs().MessageTexts().size(), 1);
    EXPECT_TRUE(Dialogs().MessageTexts()[0].startsWith("The change could not be saved: "));
    Store->Macros->OpenDBFiles();
    EXPECT_TRUE(TemplateNames().isEmpty());
}

} // namespace
