#include "res/ProgramResources.h"

#include "res/Resources.h"

namespace {

class Program final : public ResourceProvider {
 public:
  const DialogTemplate* FindDialog(int id) const override { return FindDialogTemplate(id); }
  std::string LoadString(int id) const override { return LoadResourceString(id); }
  HICON LoadIcon(int id) const override {
    static const Icon appIcon{LoadIconResource(IDR_MAINFRAME)};
    return id == IDR_MAINFRAME ? &appIcon : nullptr;
  }
};

}  // namespace

const ResourceProvider& ProgramResources() {
  static const Program program;
  return program;
}
