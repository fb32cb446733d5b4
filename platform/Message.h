// Window messages: the record that travels through the queue and the codes it carries.
#pragma once

#include "platform/Types.h"

struct MSG {
  HWND hwnd = kNoWindow;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
};

constexpr UINT WM_PAINT = 0x000F;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_ERASEBKGND = 0x0014;
constexpr UINT WM_ICONERASEBKGND = 0x0027;
constexpr UINT WM_QUERYDRAGICON = 0x0037;
constexpr UINT WM_SETICON = 0x0080;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_SYSCOMMAND = 0x0112;
constexpr UINT WM_TIMER = 0x0113;
constexpr UINT WM_USER = 0x0400;

// Notification codes carried in the high word of WM_COMMAND's wParam.
constexpr UINT BN_CLICKED = 0;
constexpr UINT CBN_SELCHANGE = 1;
constexpr UINT CBN_EDITCHANGE = 5;
constexpr UINT EN_CHANGE = 0x0300;

// WM_SETICON's wParam.
constexpr WPARAM ICON_SMALL = 0;
constexpr WPARAM ICON_BIG = 1;

// Virtual-key codes the dialog keyboard handling looks at.
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_ESCAPE = 0x1B;

constexpr WPARAM MAKEWPARAM(UINT low, UINT high) {
  return static_cast<WPARAM>((low & 0xFFFF) | ((high & 0xFFFF) << 16));
}
constexpr UINT LOWORD(WPARAM value) { return static_cast<UINT>(value & 0xFFFF); }
constexpr UINT HIWORD(WPARAM value) { return static_cast<UINT>((value >> 16) & 0xFFFF); }
