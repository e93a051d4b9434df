// How a picture button follows the mouse, and which of its pictures it shows.
#pragma once

enum class ButtonState { Normal, MouseOver, Pressed };
enum class ButtonPicture { Normal, MouseOver, Pressed, Disabled };

struct PictureButtonModel {
    ButtonState state = ButtonState::Normal;
    bool enabled = true;
    bool captured = false;
};

struct ButtonReaction {
    bool capture = false;  // take the mouse
    bool release = false;  // give it back
    bool clicked = false;  // raise the clicked event
    bool repaint = false;
};

ButtonReaction onPointerMove(PictureButtonModel& b, bool inside, bool leftHeld);
ButtonReaction onPointerLeave(PictureButtonModel& b);
ButtonReaction onLeftDown(PictureButtonModel& b);
ButtonReaction onLeftUp(PictureButtonModel& b, bool inside);
ButtonReaction onEnabledChanged(PictureButtonModel& b, bool enabled);
// Another window took the mouse (a menu, the system): the press is abandoned, no click.
ButtonReaction onCaptureLost(PictureButtonModel& b);

struct ButtonPictures {
    bool hasMouseOver = true, hasPressed = true, hasDisabled = false;
};

ButtonPicture choosePicture(const PictureButtonModel& b, const ButtonPictures& available);
