// Message maps as tables: each dialog class lists which handler takes which message,
// command or notification. Dispatch walks the table in order; the first entry that matches
// handles the message, and a message that none matches gets the base class's handling.
#pragma once

#include <functional>
#include <vector>

#include "platform/Message.h"
#include "platform/Types.h"

class CDC;

template <class T>
struct MessageMapEntry {
  UINT message;
  UINT code;  // WM_COMMAND notification code
  int firstId;
  int lastId;
  std::function<LRESULT(T&, WPARAM, LPARAM)> handler;
};

template <class T>
using MessageMap = std::vector<MessageMapEntry<T>>;

template <class T>
bool DispatchThroughMap(T& target, const MessageMap<T>& map, UINT message, WPARAM wParam, LPARAM lParam,
                        LRESULT& result) {
  for (const MessageMapEntry<T>& entry : map) {
    if (entry.message != message) continue;
    if (message == WM_COMMAND) {
      const int id = static_cast<int>(LOWORD(wParam));
      if (HIWORD(wParam) != entry.code || id < entry.firstId || id > entry.lastId) continue;
    }
    result = entry.handler(target, wParam, lParam);
    return true;
  }
  return false;
}

namespace msgmap {

template <class T>
MessageMapEntry<T> Command(int id, UINT code, void (T::*handler)()) {
  return {WM_COMMAND, code, id, id, [handler](T& t, WPARAM, LPARAM) { (t.*handler)(); return LRESULT{0}; }};
}

template <class T>
MessageMapEntry<T> BnClicked(int id, void (T::*handler)()) {
  return Command(id, BN_CLICKED, handler);
}

// One handler for a range of controls; it is told which one.
template <class T>
MessageMapEntry<T> CommandRange(int firstId, int lastId, UINT code, void (T::*handler)(UINT)) {
  return {WM_COMMAND, code, firstId, lastId,
          [handler](T& t, WPARAM w, LPARAM) { (t.*handler)(LOWORD(w)); return LRESULT{0}; }};
}

template <class T>
MessageMapEntry<T> Message(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
  return {message, 0, 0, 0, [handler](T& t, WPARAM w, LPARAM l) { return (t.*handler)(w, l); }};
}

template <class T>
MessageMapEntry<T> Notice(UINT message, void (T::*handler)()) {
  return {message, 0, 0, 0, [handler](T& t, WPARAM, LPARAM) { (t.*handler)(); return LRESULT{0}; }};
}

template <class T>
MessageMapEntry<T> SysCommand(void (T::*handler)(UINT, LPARAM)) {
  return {WM_SYSCOMMAND, 0, 0, 0,
          [handler](T& t, WPARAM w, LPARAM l) { (t.*handler)(static_cast<UINT>(w), l); return LRESULT{0}; }};
}

template <class T>
MessageMapEntry<T> Timer(void (T::*handler)(UINT_PTR)) {
  return {WM_TIMER, 0, 0, 0, [handler](T& t, WPARAM w, LPARAM) { (t.*handler)(w); return LRESULT{0}; }};
}

template <class T, class Icon>
MessageMapEntry<T> QueryDragIcon(Icon (T::*handler)()) {
  return {WM_QUERYDRAGICON, 0, 0, 0,
          [handler](T& t, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>((t.*handler)()); }};
}

template <class T>
MessageMapEntry<T> EraseBkgnd(BOOL (T::*handler)(CDC*)) {
  return {WM_ERASEBKGND, 0, 0, 0,
          [handler](T& t, WPARAM w, LPARAM) { return LRESULT{(t.*handler)(reinterpret_cast<CDC*>(w))}; }};
}

}  // namespace msgmap
