// The main dialog's start-up, system menu, icon, sensor list, paint style and closing.
#include <bit>

#include <gtest/gtest.h>

#include "hosts/headless/HeadlessWindow.h"
#include "platform/Input.h"
#include "support/MainDialogFixture.h"

namespace {

TEST_F(MainDialogTest, StartUpAddsTheAboutEntrySetsBothIconsAndSelectsSensorZero) {
  Run([&](CMainDlg& dlg) {
    const auto& items = dlg.GetSystemMenu(FALSE)->Items();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].flags, MF_SEPARATOR);
    EXPECT_EQ(items[1].id, IDM_ABOUTBOX);
    EXPECT_EQ(items[1].text, "关于 Velnor(&A)...");

    auto* window = static_cast<HeadlessWindow*>(dlg.GetHostWindow());
    ASSERT_NE(dlg.m_hIcon, nullptr);
    EXPECT_EQ(window->Icon(true), dlg.m_hIcon);
    EXPECT_EQ(window->Icon(false), dlg.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(dlg.SendMessage(WM_QUERYDRAGICON)), dlg.m_hIcon);

    auto* list = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SENSOR_LIST));
    EXPECT_EQ(list->GetCurSel(), 0);
    EXPECT_EQ(list->GetCount(), kSensorListEntries);
    EXPECT_EQ(dlg.m_nPaintMode, 0);
    EXPECT_EQ(dlg.m_nCurSensor, 0);
  });
  EXPECT_EQ(host_.BoxTexts(), (std::vector<std::string>{"Don't open config file!"}));
}

TEST_F(MainDialogTest, SystemCommandsOfTheAboutEntryOpenTheAboutDialog) {
  Run([&](CMainDlg& dlg) {
    for (UINT command = 0x0010; command <= 0x001F; ++command) dlg.SendMessage(WM_SYSCOMMAND, command);
    dlg.SendMessage(WM_SYSCOMMAND, 0x0020);
  });
  EXPECT_EQ(host_.nestedDialogs, std::vector<int>(16, IDD_ABOUTBOX));
}

TEST_F(MainDialogTest, ChoosingASensorMakesItCurrentAndRedrawsTheSavedView) {
  Run([&](CMainDlg& dlg) {
    dlg.m_nSavedMode = 1;
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 12);
    runtime_.Queue().DispatchOne();  // the handler, before the paint it asks for rewrites the status
    EXPECT_EQ(dlg.m_nCurSensor, 12);
    EXPECT_EQ(dlg.GetDlgItem(IDC_STATUS)->GetWindowText(), "SENSOR C");
    Settle();

    // Held back from painting, the repaint request shows what the handler asked for.
    dlg.m_nSavedMode = 2;
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 3);
    runtime_.Queue().DispatchOne();
    EXPECT_EQ(dlg.m_nDisplayMode, 2);
    const auto update = runtime_.Queue().PeekUpdate(dlg.m_hWnd);
    ASSERT_TRUE(update);
    EXPECT_EQ(update->rect, dlg.m_rcPlot);
    EXPECT_TRUE(update->erase);
  });
}

TEST_F(MainDialogTest, SensorZAndTypedTextNeverBecomeTheCurrentSensor) {
  Run([&](CMainDlg& dlg) {
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 7);
    Settle();
    ChooseListEntry(dlg, IDC_SENSOR_LIST, 30);
    runtime_.Queue().DispatchOne();
    EXPECT_EQ(dlg.m_nCurSensor, 7);
    auto* list = static_cast<CComboBox*>(dlg.GetDlgItem(IDC_SENSOR_LIST));
    EXPECT_EQ(list->GetCurSel(), 7) << "the list goes back to the current sensor";
    EXPECT_EQ(list->GetWindowText(), "SENSOR 7");
    EXPECT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd));

    TypeIntoControl(dlg, IDC_SENSOR_LIST, "SENSOR 9");
    Settle();
    EXPECT_EQ(dlg.m_nCurSensor, 7) << "typing into the list's edit field changes nothing";
  });
}

TEST_F(MainDialogTest, PaintStyleButtonsSetTheModeWithoutRepainting) {
  Run([&](CMainDlg& dlg) {
    ClickButton(dlg, IDC_DISPERSE);
    runtime_.Queue().DispatchOne();
    EXPECT_EQ(dlg.m_nPaintMode, 1);
    EXPECT_FALSE(runtime_.Queue().PeekUpdate(dlg.m_hWnd));
    dlg.UpdateData(TRUE);
    EXPECT_EQ(dlg.m_nPaintMode, 1);
    ClickButton(dlg, IDC_CONTINUE);
    runtime_.Queue().DispatchOne();
    EXPECT_EQ(dlg.m_nPaintMode, 0);
  });
}

TEST_F(MainDialogTest, CloseWritesTheConfigurationAndEndsTheDialogButCancelDoesNot) {
  WriteFile("config.ini", "1;0;40;250;");
  Run([&](CMainDlg& dlg) {
    dlg.SendMessage(WM_CLOSE);
    EXPECT_TRUE(dlg.IsEnded());
  });
  EXPECT_EQ(ReadFile("config.ini"), "1;0;40;250;");

  WriteFile("config.ini", "1;0;40;250;");
  Run([&](CMainDlg& dlg) {
    dlg.SetDlgItemText(IDC_START, "7");
    PressAndReleaseKey(dlg, VK_ESCAPE);  // the dialog keyboard's Cancel command
    Settle();
    EXPECT_TRUE(dlg.IsEnded());
  });
  EXPECT_EQ(ReadFile("config.ini"), "1;0;40;250;");
}

TEST_F(MainDialogTest, ThePlotLiesInsideTheWaveDisplayBox) {
  Run([&](CMainDlg& dlg) {
    EXPECT_EQ(dlg.m_rcPlot, (RECT{251, 26, 626, 472}));
    EXPECT_EQ(dlg.m_nOriginX, 251);
    EXPECT_EQ(dlg.m_nOriginY, 472);
    EXPECT_EQ(std::bit_cast<std::uint32_t>(dlg.m_fScaleX), std::bit_cast<std::uint32_t>(1.5000001f));
    EXPECT_EQ(dlg.m_fScaleY, 446.0f / 256.0f);
  });
}

}  // namespace
