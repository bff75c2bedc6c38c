// The two clips of the game as scenes: a picture for any moment of the clip, its size and
// rate, and the moments at which its sound track places each sound. The clip generator
// renders them frame by frame; the congratulation scene's last moment is also the picture
// of the congratulation window (bitmap 327), so the clip ends on exactly what the window
// shows afterwards.
#pragma once

#include <cairo.h>

#include <string>
#include <vector>

namespace art {

struct ClipEvent {
    double seconds;     // when the sound starts
    std::string sound;  // a sound the clip script knows how to make (click, pop, fanfare, ...)
};

struct ClipFormat {
    int width;
    int height;
    int fps;
    int frames;
    std::vector<ClipEvent> events;
};

// Congratulation (Video\Feliz.avi): pieces snap into a little puzzle, "Bravo!" pops up and
// confetti bursts and settles on the card.
ClipFormat CongratulationClip();
void DrawCongratulation(cairo_t* cr, double seconds);
// The settled picture: what the congratulation window shows after the clip.
void DrawCongratulationPicture(cairo_t* cr);

// Introduction (Video\Present.avi): the game's logo card assembles from flying pieces on
// black, the seams close and a gleam crosses it.
ClipFormat IntroClip();
void DrawIntro(cairo_t* cr, double seconds);

}  // namespace art
