// Which X key each virtual-key code becomes; no display is needed for the table.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "platform/x11/x_connection.h"

namespace glyphgrab::x11 {
namespace {

TEST(VirtualKeyToKeySym, KeysTheLanguageProduces) {
  const std::pair<int, unsigned long> cases[] = {
      {0x41, XK_a},         {0x5A, XK_z},         {0x30, XK_0},          {0x39, XK_9},
      {0x70, XK_F1},        {0x7B, XK_F12},       {0x2D, XK_Insert},     {0x2E, XK_Delete},
      {0x24, XK_Home},      {0x23, XK_End},       {0x21, XK_Prior},      {0x22, XK_Next},
      {0x09, XK_Tab},       {0x0D, XK_Return},    {0x08, XK_BackSpace},  {0x2C, XK_Print},
      {0x10, XK_Shift_L},   {0x11, XK_Control_L}, {0x12, XK_Alt_L},      {0x20, XK_space},
      {0x1B, XK_Escape},    {0x25, XK_Left},      {0x26, XK_Up},         {0x27, XK_Right},
      {0x28, XK_Down},      {0x6A, XK_KP_Multiply}, {0x6B, XK_KP_Add},   {0x6D, XK_KP_Subtract},
      {0x6E, XK_KP_Decimal}, {0x6F, XK_KP_Divide}, {0xBC, XK_comma},
      // Codes without an X key are skipped.
      {0x00, NoSymbol},     {0x07, NoSymbol},     {0xFF, NoSymbol},
  };
  for (const auto& [vk, sym] : cases) {
    EXPECT_EQ(VirtualKeyToKeySym(static_cast<std::uint8_t>(vk)), sym) << std::hex << vk;
  }
}

}  // namespace
}  // namespace glyphgrab::x11
