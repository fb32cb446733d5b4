// Drawing contexts: CDC draws on a window's surface, clipped to a rectangle; CPaintDC is the
// one a WM_PAINT handler makes: it begins the paint (takes the repaint area and erases it when
// the invalidation asked for that) and ends it when it goes out of scope.
#pragma once

#include "platform/Surface.h"
#include "platform/Types.h"

class CWnd;

class CDC {
 public:
  CDC(Surface& surface, const RECT& clip);
  virtual ~CDC() = default;
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  Surface& GetSurface() const { return surface_; }
  const RECT& GetClipBox() const { return clip_; }
  void FillSolidRect(const RECT& rect, COLORREF colour);

 private:
  Surface& surface_;
  RECT clip_;
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;

 private:
  struct Begun {
    RECT area{};
    bool erase = false;
  };
  static Begun BeginPaint(CWnd* window);
  CPaintDC(CWnd* window, Begun begun);

  CWnd& window_;
};
