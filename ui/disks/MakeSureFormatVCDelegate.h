#pragma once

class QString;

namespace ui {

// Told by the format confirmation which name and type the user confirmed.
class MakeSureFormatVCDelegate {
public:
    virtual ~MakeSureFormatVCDelegate() = default;
    virtual void makeSureToFormatSelectVolumeWithName(const QString& name, const QString& type) = 0;
};

}  // namespace ui
