// What of the Account window needs widgets: its layout, the boxes bound to
// the accounts, the selection shown, Tab and the language texts. The flows
// behind it are the editor's (tests/editor/accounts_test.cpp).

#include "ui/account_window.h"

#include "accounts/qstring_printer.h"
#include "support/editor_harness.h"
#include "ui/widget_text.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace quillset::ui {
namespace {

class AccountWindowTest : public ::testing::Test {
protected:
    void SetUp() override { w.editor.setAccountPanel(&host); }
    void TearDown() override {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QStringList boxes(int slot, KeyRow keyRow) {
        QStringList texts;
        for (int i = 0; i < kKeyGroupCount; ++i)
            texts << host.window().keyBox(slot, keyRow, i)->text();
        return texts;
    }

    test::EditorHarness w;
    QWidget owner;
    AccountWindowHost host{w.editor, &owner};
};

TEST_F(AccountWindowTest, EveryControlLiesInsideItsParent) {
    AccountWindow& window = host.window();
    const TwipScale scale = TwipScale::forWidget(&window);
    EXPECT_EQ(window.size(), QSize(scale.pixels(6045), scale.pixels(6690)));
    QStringList names;
    for (const ControlDef& def : accountWindowControls())
        names << fromCatalogue(def.name);
    for (int slot = 1; slot <= kAccountSlotCount; ++slot)
        for (const ControlDef& def : accountSlotControls())
            names << slotControlName(slot, def.name);
    for (const QString& name : names) {
        const QWidget* control = window.control(name);
        ASSERT_NE(control, nullptr) << name.toStdString();
        EXPECT_TRUE(control->parentWidget()->rect().contains(control->geometry()))
            << name.toStdString();
    }
    EXPECT_EQ(window.keyBox(2, KeyRow::Deepfall, 3), window.control(QStringLiteral("Text6_3")));
    EXPECT_EQ(window.keyBox(2, KeyRow::Deepfall, 3)->parentWidget(), window.slotFrame(2));
}

TEST_F(AccountWindowTest, BoxesShowEachKeyInItsGroupsAndGiveTheTypedTextsBack) {
    Accounts accounts;
    accounts[0] = {"Ada", "ABCDE-FGHIJ-KLMNO-PQRST-U", "ABCDEFG"};
    accounts[2] = {QString(40, QLatin1Char('n')), "", "AAAAABBBBBCCCCCDDDDD"};
    host.showAccounts(accounts);
    EXPECT_TRUE(host.window().isVisible());
    EXPECT_EQ(boxes(1, KeyRow::Korrin), QStringList({"ABCDE", "-FGHI", "J-KLM", "NO-PQRST-U"}));
    EXPECT_EQ(boxes(1, KeyRow::Deepfall), QStringList({"ABCDE", "FG", "", ""}));
    EXPECT_EQ(boxes(3, KeyRow::Deepfall), QStringList({"AAAAA", "BBBBB", "CCCCC", "DDDDD"}));
    EXPECT_EQ(host.typedAccounts(), accounts);

    host.window().nameBox(4)->setText(QStringLiteral("Dora"));
    host.window().keyBox(4, KeyRow::Korrin, 1)->setText(QStringLiteral("XY"));
    host.window().keyBox(4, KeyRow::Deepfall, 3)->setText(QStringLiteral("Z"));
    EXPECT_EQ(host.typedAccounts()[3], (Account{"Dora", "XY", "Z"}));
}

TEST_F(AccountWindowTest, TheEditorsSelectionShowsAndTheCloseBoxEndsIt) {
    AccountWindow& window = host.window();
    window.optionButton(3)->click();
    EXPECT_EQ(w.editor.accountStore().selectedSlot, 3);
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        const bool on = slot == 3;
        EXPECT_EQ(window.optionButton(slot)->isChecked(), on) << slot;
        EXPECT_EQ(window.slotFrame(slot)->hasBorder(), on) << slot;
        EXPECT_EQ(window.nameBox(slot)->isEnabled(), on) << slot;
        EXPECT_EQ(window.keyBox(slot, KeyRow::Deepfall, 3)->isEnabled(), on) << slot;
    }
    window.close();
    EXPECT_EQ(host.existingWindow(), nullptr);
    EXPECT_EQ(w.editor.accountStore().selectedSlot, std::nullopt);
    EXPECT_FALSE(host.window().slotFrame(3)->hasBorder()) << "a new window marks no slot";
}

TEST_F(AccountWindowTest, TabRunsSlotBySlotThenTheButtons) {
    QStringList chain;
    for (QWidget* widget = host.window().nameBox(1); chain.size() < 40;
         widget = widget->nextInFocusChain()) {
        if (widget->focusPolicy() & Qt::TabFocus)
            chain << widget->objectName();
    }
    EXPECT_EQ(chain.mid(0, 10), QStringList({"Text1", "Text2_0", "Text2_1", "Text2_2", "Text2_3",
                                             "Text3_0", "Text3_1", "Text3_2", "Text3_3", "Text4"}));
    EXPECT_EQ(chain.mid(32, 8), QStringList({"Text12_0", "Text12_1", "Text12_2", "Text12_3",
                                             "Command1", "Command2", "Option1", "Option2"}));
}

TEST_F(AccountWindowTest, LanguageTextsReachArrayElementsAndEveryNewWindow) {
    const QString form2 = QStringLiteral("Form2");
    host.setTexts(std::vector<TextAssignment>{
        {form2, "Label1", 2, TextProperty::Caption, "Erster Schlüssel"},
        {form2, "Label3", -1, TextProperty::Caption, "Kontoname"},
        {form2, "Text10", -1, TextProperty::ToolTip, "Name tip"},
        {QStringLiteral("Form1"), "Command1", -1, TextProperty::Caption, "not here"},
    });
    host.window().close();
    AccountWindow& window = host.window();
    EXPECT_EQ(caption(window.control(QStringLiteral("Label1_2"))), "Erster Schlüssel");
    EXPECT_EQ(caption(window.control(QStringLiteral("Label1_1"))), "Korrin CD-Key");
    EXPECT_EQ(caption(window.control(QStringLiteral("Label3"))), "Kontoname");
    EXPECT_EQ(window.nameBox(4)->toolTip(), "Name tip");
    EXPECT_EQ(caption(window.control(QStringLiteral("Command1"))), "Speichern");
}

} // namespace
} // namespace quillset::ui
