#ifndef DEFINE_H
#define DEFINE_H

// Screen and playfield size. The playfield is the screen minus the 29-row
// cover strip that carries the scores, health bars and lives.
#define MAX_X 640
#define MAX_Y 451

// Walking state of a character: a bit set of the walking keys held.
#define PARADO 0
#define DIREITA 1
#define ESQUERDA 2

// Player 1's displays on the cover strip.
#define POSB1_X 4    // health-bar frame
#define POSB1_Y 5
#define POSS1_X 20   // health-bar fill origin (first column is x + 1)
#define POSS1_Y 7
#define POSP1_X 198  // score panel, 158 x 24
#define POSP1_Y 2
#define POSC1_X 47   // kept for reference; not used
#define POSC1_Y 200

// Player 2's displays on the cover strip.
#define POSB2_X 503
#define POSB2_Y 5
#define POSS2_X 519
#define POSS2_Y 7
#define POSP2_X 332
#define POSP2_Y 2
#define POSC2_X 546  // kept for reference; not used
#define POSC2_Y 200

// Lives boxes, 52 x 16.
#define VIDA1_X 145
#define VIDA1_Y 5
#define VIDA2_X 447
#define VIDA2_Y 5

#endif
