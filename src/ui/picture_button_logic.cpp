#include "ui/picture_button_logic.h"

namespace {

bool setState(PictureButtonModel& b, ButtonState s) {
    const bool changed = b.state != s;
    b.state = s;
    return changed;
}

}  // namespace

ButtonReaction onPointerMove(PictureButtonModel& b, bool inside, bool leftHeld) {
    ButtonReaction r;
    if (!b.enabled) return r;
    if (inside) {
        r.repaint = setState(b, b.captured && leftHeld ? ButtonState::Pressed : ButtonState::MouseOver);
    } else {
        r.repaint = setState(b, ButtonState::Normal);
        if (b.captured && !leftHeld) {
            b.captured = false;
            r.release = true;
        }
    }
    return r;
}

ButtonReaction onPointerLeave(PictureButtonModel& b) {
    ButtonReaction r;
    if (b.enabled && !b.captured) r.repaint = setState(b, ButtonState::Normal);
    return r;
}

ButtonReaction onLeftDown(PictureButtonModel& b) {
    ButtonReaction r;
    if (!b.enabled) return r;
    r.repaint = setState(b, ButtonState::Pressed);
    b.captured = true;
    r.capture = true;
    return r;
}

ButtonReaction onLeftUp(PictureButtonModel& b, bool inside) {
    ButtonReaction r;
    if (!b.enabled || !b.captured) return r;
    b.captured = false;
    r.release = true;
    r.repaint = setState(b, ButtonState::Normal);
    r.clicked = inside;
    return r;
}

ButtonReaction onEnabledChanged(PictureButtonModel& b, bool enabled) {
    ButtonReaction r;
    r.repaint = b.enabled != enabled;
    b.enabled = enabled;
    if (!enabled) {
        r.release = b.captured;
        b.captured = false;
        b.state = ButtonState::Normal;
    }
    return r;
}

ButtonReaction onCaptureLost(PictureButtonModel& b) {
    ButtonReaction r;
    if (!b.captured) return r;
    b.captured = false;
    r.repaint = setState(b, ButtonState::Normal);
    return r;
}

ButtonPicture choosePicture(const PictureButtonModel& b, const ButtonPictures& available) {
    if (!b.enabled && available.hasDisabled) return ButtonPicture::Disabled;
    if (b.state == ButtonState::MouseOver && available.hasMouseOver) return ButtonPicture::MouseOver;
    if (b.state == ButtonState::Pressed && available.hasPressed) return ButtonPicture::Pressed;
    return ButtonPicture::Normal;
}
