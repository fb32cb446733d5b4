// Where the layer finds dialog templates, strings and icons by id.
#pragma once

#include <string>

#include "platform/DialogTemplate.h"
#include "platform/Icon.h"

class ResourceProvider {
 public:
  virtual ~ResourceProvider() = default;
  virtual const DialogTemplate* FindDialog(int id) const = 0;
  virtual std::string LoadString(int id) const = 0;  // empty when there is none
  virtual HICON LoadIcon(int id) const = 0;          // nullptr when there is none
};
