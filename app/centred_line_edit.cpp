#include "centred_line_edit.hpp"

namespace tesvorin {
namespace {

// Every edit box shares the class procedure, so one saved pointer serves all.
WNDPROC edit_class_procedure = nullptr;

int line_height(HWND edit) noexcept {
  HDC dc = GetDC(edit);
  if (dc == nullptr) {
    return 0;
  }
  const auto font =
      reinterpret_cast<HFONT>(SendMessageW(edit, WM_GETFONT, 0, 0));
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  TEXTMETRICW metrics{};
  const bool measured = GetTextMetricsW(dc, &metrics) != FALSE;
  if (previous != nullptr) {
    SelectObject(dc, previous);
  }
  ReleaseDC(edit, dc);
  return measured ? metrics.tmHeight : 0;
}

void shrink_to_line(HWND edit, RECT& client) noexcept {
  const int spare = (client.bottom - client.top) - line_height(edit);
  if (spare > 0) {
    client.top += spare / 2;
    client.bottom -= spare - spare / 2;
  }
}

void paint_bands(HWND edit) noexcept {
  RECT window{};
  RECT client{};
  GetWindowRect(edit, &window);
  GetClientRect(edit, &client);
  MapWindowPoints(edit, nullptr, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -window.left, -window.top);
  const int height = window.bottom - window.top;
  const int edge = GetSystemMetrics(SM_CYEDGE);

  HDC dc = GetWindowDC(edit);
  if (dc == nullptr) {
    return;
  }
  const auto white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT above{client.left, edge, client.right, client.top};
  const RECT below{client.left, client.bottom, client.right, height - edge};
  FillRect(dc, &above, white);
  FillRect(dc, &below, white);
  ReleaseDC(edit, dc);
}

LRESULT CALLBACK centred_edit_procedure(HWND edit, UINT message, WPARAM wparam,
                                        LPARAM lparam) noexcept {
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT result =
          CallWindowProcW(edit_class_procedure, edit, message, wparam, lparam);
      RECT& client = wparam != FALSE
                         ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lparam)->rgrc[0]
                         : *reinterpret_cast<RECT*>(lparam);
      shrink_to_line(edit, client);
      return result;
    }
    case WM_NCPAINT:
      CallWindowProcW(edit_class_procedure, edit, message, wparam, lparam);
      paint_bands(edit);
      return 0;
    default:
      return CallWindowProcW(edit_class_procedure, edit, message, wparam,
                             lparam);
  }
}

}  // namespace

void centre_line_vertically(HWND edit) noexcept {
  const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&centred_edit_procedure)));
  if (edit_class_procedure == nullptr) {
    edit_class_procedure = previous;
  }
  // Recompute the frame now that the procedure and the font are in place.
  SetWindowPos(edit, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                   SWP_FRAMECHANGED);
}

}  // namespace tesvorin
