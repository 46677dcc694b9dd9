// Gamepads through SDL's game controller API, turned into the input the game
// screen already understands: the cursor it reads each step, the left mouse
// button and the keys T, P, Escape and typed characters.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <map>
#include <vector>

#include "game/input_events.h"

class TSdlPads {
public:
    // Starts SDL's game controller subsystem; without it there are simply no pads.
    TSdlPads();
    ~TSdlPads();
    TSdlPads(const TSdlPads&) = delete;
    TSdlPads& operator=(const TSdlPads&) = delete;

    // Opens every pad attached now and closes those that went: between games
    // nobody reads SDL's events, so plug-in and removal notices may be lost.
    void OpenAttached();
    // A controller event: opens or closes a pad, or appends the input a button
    // stands for. False for any other event.
    bool Handle(const SDL_Event& event, std::vector<InputEvent>& out);
    // The mouse moved: it steers again from now on.
    void MouseMoved() { steering_ = false; }
    // While a name is typed the D-pad picks letters instead of steering.
    void SetNameEntry(bool active);

    // One step of the cursor, called once per reading of the cursor (the game
    // reads it once per step). When a pad steers, moves its cursor by the
    // stick's or the D-pad's speed within width x height and sets x, y to it;
    // otherwise leaves them (the mouse's position) alone. A pad takes over
    // from where the mouse stands.
    void StepCursor(std::int32_t& x, std::int32_t& y, std::int32_t width, std::int32_t height);

    bool Steering() const { return steering_; }
    std::size_t OpenCount() const { return open_.size(); }

private:
    void Open(int deviceIndex);
    void Close(SDL_JoystickID id);
    // The strongest deflection of any pad, in pixels per step.
    void Velocity(float& dx, float& dy) const;
    void Button(std::uint8_t button, bool down, std::vector<InputEvent>& out);
    void NameEntryButton(std::uint8_t button, std::vector<InputEvent>& out);
    void PickLetter(int direction, std::vector<InputEvent>& out);

    bool started_ = false;
    std::map<SDL_JoystickID, SDL_GameController*> open_;
    bool steering_ = false;
    bool takeOver_ = false;  // the next step starts from the mouse's position
    float x_ = 0, y_ = 0;
    bool nameEntry_ = false;
    // The letter the D-pad put in the name last and may still change; -1: none.
    int letter_ = -1;
};
