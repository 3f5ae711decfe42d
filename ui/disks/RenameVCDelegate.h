#pragma once

class QString;

namespace ui {

// Told by the rename dialog which name the user confirmed.
class RenameVCDelegate {
public:
    virtual ~RenameVCDelegate() = default;
    virtual void makeSureToChangeName(const QString& name) = 0;
};

}  // namespace ui
