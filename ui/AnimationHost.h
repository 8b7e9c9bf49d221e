#pragma once

namespace looplab {

// What the animation window needs of the main window, which owns the current step.
class AnimationHost {
public:
    virtual ~AnimationHost() = default;

    virtual int animationStep() const = 0;
    virtual void setAnimationStep(int step) = 0;
    // Moves every start marker and the history marker to the current step (wrapping to 0
    // past the last point) and repaints both charts.
    virtual void showStep() = 0;
    // Called by the animation window when it is destroyed, so the host forgets it.
    virtual void animationWindowDestroyed() = 0;
};

} // namespace looplab
