#ifndef FLUXO_H
#define FLUXO_H

// The game between its frames: building and releasing a game, one frame of
// it (a stage step, or a frame of the transition between the stages), the
// key guard and the presentation on the screen. The main loop runs them in
// its frames, around what waits for the keyboard (the title menu, the end
// screens, the pause); the tests and the benchmarks play whole games with
// the same steps.
#include <allegro.h>

class Fase;
class Player;

// The objects of one game: both stages over the same players.
struct Jogo {
    Player* p1 = nullptr;
    Player* p2 = nullptr;  // two-player games only
    Fase* fase1 = nullptr;
    Fase* fase2 = nullptr;
    Fase* faseAtual = nullptr;
    int contPassandoFase = 0;  // frames of the transition under way, 0 outside one
};

// How a game frame leaves the game: going on, or at one of its end screens.
enum class Desfecho {
    SEGUE,
    GAME_OVER,  // every player was out in this step
    FIM,        // stage 2's transition is over, its bonus added
};

// Stages first: they refer to the players. Leaves an empty game.
void liberarJogo(Jogo& jogo);

// Releases the game held, then builds a new one for 1 or 2 players on the
// shared buffer and cover strip, at the start of stage 1.
void iniciarJogo(Jogo& jogo, BITMAP* buffer, BITMAP* cobertura, int jogadores);

// One frame of a game under way: a step of the current stage, or a frame of
// the transition after it. `flag` is the key guard of the frame before.
Desfecho quadroDeJogo(Jogo& jogo, BITMAP* cobertura, bool flag);

// The key guard for the next frame: P, Esc and F5 share it, so each acts once
// per press and while one is held the others do nothing.
bool guardaDeTeclas();

// The cover strip and playfield rows 0-450 to the screen, then the buffer
// cleared for the next frame.
void apresentar(BITMAP* buffer, BITMAP* cobertura);

#endif
