#pragma once
// Whether a list grid is in its editing state (tooltip-colour background, single cells
// editable) or in its browsing state (window colour, whole rows selected).
// Thread rule: GUI thread only.

namespace vantrel {

class GridEditState {
public:
    bool Editing() const { return editing_; }
    void Begin() { editing_ = true; }
    void End() { editing_ = false; }

private:
    bool editing_ = false;
};

}  // namespace vantrel
