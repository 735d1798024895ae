#ifndef PARTIDA_H
#define PARTIDA_H

// A game as the main loop plays it, without a window: the game's own steps
// (fluxo.h) on the shared buffer and cover strip, each frame presented on
// `screen` (a 32-bit memory bitmap in the tests and the benchmarks) and the
// buffer cleared. What the main loop does around them waits on the keyboard
// - the title menu, the end screens, the pause - and is left out: a frame
// that ends the game says so and the game stops there.
#include <allegro.h>

#include "apoio.h"
#include "fluxo.h"

class Player;

namespace apoio {

class Partida {
public:
    // A new game for 1 or 2 players, at the start of stage 1.
    explicit Partida(int jogadores);
    ~Partida();
    Partida(const Partida&) = delete;
    Partida& operator=(const Partida&) = delete;

    // One frame with the keys now in key[]: the game frame, the key guard and
    // the presentation, in the main loop's order.
    Desfecho quadro();

    // The stage being played or just left (1 or 2), and whether the frames
    // now are those of the transition after it.
    int fase() const;
    bool emTransicao() const;
    // Player 1 or 2 (a two-player game only).
    Player& jogador(int numero) const;
    int jogadores() const { return jogo.p2 ? 2 : 1; }

private:
    Bitmap buffer;
    Bitmap cobertura;
    Jogo jogo;
    bool flag = false;
};

}  // namespace apoio

#endif
