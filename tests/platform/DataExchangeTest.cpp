// Data exchange between dialog members and controls, and the controls' own behaviour.
#include <string>

#include <gtest/gtest.h>

#include "platform/Controls.h"
#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/Input.h"
#include "platform/Runtime.h"
#include "res/ProgramResources.h"
#include "res/resource.h"
#include "support/TestHost.h"

namespace {

TEST(WholeNumber, AcceptsWhatTheExchangeAcceptsAndNothingElse) {
  struct Case {
    const char* text;
    bool isSigned;
    std::optional<std::int64_t> expected;
  };
  const Case cases[] = {
      {"0", true, 0},
      {" 12\t", true, 12},
      {"-5", true, -5},
      {"+7", true, 7},
      {"007", false, 7},
      {"99999999999", true, 2147483647},
      {"-99999999999", true, -2147483648LL},
      {"4294967295", false, 4294967295LL},
      {"4294967296", false, 4294967295LL},
      {"", true, std::nullopt},
      {"   ", true, std::nullopt},
      {"-", true, std::nullopt},
      {"12x", true, std::nullopt},
      {"1 2", true, std::nullopt},
      {"- 3", true, std::nullopt},
      {"-5", false, std::nullopt},
      {"+5", false, std::nullopt},
      {"0x10", true, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseWholeNumber(c.text, c.isSigned), c.expected) << '"' << c.text << "\" signed=" << c.isSigned;
}

// The port settings template gives two combo boxes; the main template gives the rest.
class ExchangeDialog : public CDialog {
 public:
  explicit ExchangeDialog(int id) : CDialog(id) {}
  std::function<void(CDataExchange*)> exchange;
  void DoDataExchange(CDataExchange* pDX) override {
    if (exchange) exchange(pDX);
  }
};

class DataExchangeTest : public ::testing::Test {
 protected:
  DataExchangeTest() : runtime_(host_, clock_, ProgramResources(), "velnor") {}

  void Run(int templateId, const std::function<void(CDataExchange*)>& exchange,
           const std::function<void(ExchangeDialog&)>& body) {
    ExchangeDialog dialog(templateId);
    dialog.exchange = exchange;
    host_.body = [&](CDialog&) { body(dialog); };
    dialog.DoModal();
  }

  ManualClock clock_;
  TestHost host_;
  Runtime runtime_;
};

TEST_F(DataExchangeTest, ANumberThatDoesNotParseFailsPromptsFocusesAndStopsTheExchange) {
  int end = 5, start = 6;
  UINT sum = 7;
  Run(
      IDD_MAIN_DIALOG,
      [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_END, end);
        DDX_Text(pDX, IDC_START, start);
        DDX_Text(pDX, IDC_SQUARE_SUM, sum);
      },
      [&](ExchangeDialog& dlg) {
        dlg.SetDlgItemText(IDC_END, "12x");
        dlg.SetDlgItemText(IDC_START, "3");
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        EXPECT_EQ(end, 5);
        EXPECT_EQ(start, 6) << "exchanges after the failed one do not run";
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_END));
        ASSERT_EQ(host_.boxes.size(), 1u);
        EXPECT_EQ(host_.boxes[0].text, "Please enter an integer.");
        EXPECT_EQ(host_.boxes[0].type & MB_ICONMASK, MB_ICONEXCLAMATION);

        dlg.SetDlgItemText(IDC_END, "-4");
        dlg.SetDlgItemText(IDC_SQUARE_SUM, "-1");
        EXPECT_FALSE(dlg.UpdateData(TRUE));
        EXPECT_EQ(end, -4);
        EXPECT_EQ(start, 3);
        EXPECT_EQ(host_.boxes.back().text, "Please enter a positive integer.");
        EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_SQUARE_SUM));

        dlg.SetDlgItemText(IDC_SQUARE_SUM, "4294967295");
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(sum, 4294967295u);
      });
}

TEST_F(DataExchangeTest, NumbersGoToTheirControlsSignedOrUnsigned) {
  int end = -12;
  UINT sum = 3000000000u;
  Run(
      IDD_MAIN_DIALOG,
      [&](CDataExchange* pDX) {
        DDX_Text(pDX, IDC_END, end);
        DDX_Text(pDX, IDC_SQUARE_SUM, sum);
      },
      [&](ExchangeDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItem(IDC_END)->GetWindowText(), "-12");
        EXPECT_EQ(dlg.GetDlgItem(IDC_SQUARE_SUM)->GetWindowText(), "3000000000");
      });
}

TEST_F(DataExchangeTest, RadioGroupGivesTheCheckedPositionOrMinusOne) {
  int mode = 1;
  Run(
      IDD_MAIN_DIALOG, [&](CDataExchange* pDX) { DDX_Radio(pDX, IDC_CONTINUE, mode); },
      [&](ExchangeDialog& dlg) {
        auto* first = static_cast<CButton*>(dlg.GetDlgItem(IDC_CONTINUE));
        auto* second = static_cast<CButton*>(dlg.GetDlgItem(IDC_DISPERSE));
        EXPECT_EQ(first->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(second->GetCheck(), BST_CHECKED);

        second->SetCheck(BST_UNCHECKED);
        dlg.UpdateData(TRUE);
        EXPECT_EQ(mode, -1);

        ClickButton(dlg, IDC_CONTINUE);  // an automatic radio button clears the rest of its group
        dlg.UpdateData(TRUE);
        EXPECT_EQ(mode, 0);
        ClickButton(dlg, IDC_DISPERSE);
        dlg.UpdateData(TRUE);
        EXPECT_EQ(mode, 1);
        EXPECT_EQ(first->GetCheck(), BST_UNCHECKED);
      });
}

TEST_F(DataExchangeTest, ComboStringSelectsByPrefixOrElseSetsTheEditText) {
  std::string port = "com4", baud = "1152";
  Run(
      IDD_PORT_DIALOG,
      [&](CDataExchange* pDX) {
        DDX_CBString(pDX, IDC_PORT_LIST, port);
        DDX_CBString(pDX, IDC_BAUD_LIST, baud);
      },
      [&](ExchangeDialog& dlg) {
        auto* ports = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_PORT_LIST));
        auto* bauds = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_BAUD_LIST));
        EXPECT_EQ(ports->GetCurSel(), 3);
        EXPECT_EQ(ports->GetWindowText(), "COM4");
        EXPECT_EQ(bauds->GetCurSel(), 5);
        EXPECT_EQ(bauds->GetWindowText(), "115200");

        port = "COM9";
        dlg.UpdateData(FALSE);
        EXPECT_EQ(ports->GetWindowText(), "COM9");
        EXPECT_EQ(ports->GetCurSel(), 3) << "an unmatched text leaves the selection";

        TypeIntoControl(dlg, IDC_BAUD_LIST, "9600x");
        dlg.UpdateData(TRUE);
        EXPECT_EQ(baud, "9600x");
        EXPECT_EQ(port, "COM9");
      });
}

TEST_F(DataExchangeTest, SortedListsKeepTheirOrderAndSelectionClearsOutOfRange) {
  Run(
      IDD_PORT_DIALOG, [](CDataExchange*) {},
      [&](ExchangeDialog& dlg) {
        auto* ports = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_PORT_LIST));
        EXPECT_EQ(ports->AddString("com10"), 1) << "case is ignored: com10 sorts after COM1";
        EXPECT_EQ(ports->AddString("COM0"), 0);
        std::string text;
        ports->GetLBText(ports->GetCount() - 1, text);
        EXPECT_EQ(text, "COM8");
        auto* bauds = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_BAUD_LIST));
        EXPECT_EQ(bauds->AddString("1200"), 6) << "an unsorted list appends";

        EXPECT_EQ(ports->SetCurSel(2), 2);
        EXPECT_EQ(ports->SetCurSel(99), CB_ERR);
        EXPECT_EQ(ports->GetCurSel(), -1);
        EXPECT_EQ(ports->GetWindowText(), "");
      });
}

}  // namespace
