#ifndef JOGADOR_ROTEIRIZADO_H
#define JOGADOR_ROTEIRIZADO_H

// A scripted player that plays the real stages the way a person at the
// keyboard would: after every frame it looks at the picture on the screen
// (the cover strip and the playfield, as the main loop presents them) and
// chooses its keys for the next frame. What it may know beforehand is what a
// player learns by playing: the keys, the speeds, the sizes, and what the
// arrows, its character and its life icon look like. Everything else - where
// the walls and their gaps are, where its character stands, which arrow is
// rising in which column - it reads from the screen's pixels.
//
// Like a person it may see late: with a delay of d frames, what it knows
// when it chooses the keys for frame n + 1 is the picture of frame n - d and
// the keys it pressed since; the rest it works out from the speeds it knows.
#include <allegro.h>

#include <memory>
#include <string>
#include <vector>

namespace roteiro {

// What happened to the player in one stage, as it saw it.
struct Diario {
    int setasRespondidas = 0;
    // Frames to spare on the tightest press: from the press to the nearer
    // edge of the hit window, counted in frames of the arrow's rise.
    int folgaSetaMinima = -1;

    // Wall rows whose black reached the head rows while the player watched.
    int fileirasPassadas = 0;
    // Those of them that found a head column under their black.
    int fileirasAtingidas = 0;
    // For each wall row: the frames between the character settling for good
    // where that row's black cannot touch its head columns and the first
    // frame in which the row's black reaches the head rows. It can settle no
    // earlier than the frame after the previous row left the head rows.
    // Those of the rows it passed unhurt, in order of arrival: the row's
    // order of arrival in the stage (from 1), the picture of the cycle it
    // showed (from 1) and its margin. Then the least of them, and which row
    // it was.
    struct Margem {
        int ordem, imagem, quadros;
    };
    std::vector<Margem> margens;
    int folgaMuroMinima = -1;
    int fileiraMaisApertada = 0;
    int imagemMaisApertada = 0;

    // Frames in which the character could not be found in the picture and
    // its place was taken from where it was meant to be.
    int quadrosSemVerPersonagem = 0;
    // Every time it saw no way through the walls ahead: which rows, where.
    std::vector<std::string> avisos;
};

class JogadorRoteirizado {
public:
    // jogador: 1 (Zorbo, left lane, W S A D and G H) or 2 (Velna, right lane,
    // keypad 5 2 1 3 and the arrow keys). atraso: frames between a picture
    // being presented and the player seeing it (0: at once). Loads the
    // pictures it knows; run from the game's data folder.
    explicit JogadorRoteirizado(int jogador, int atraso = 0);
    ~JogadorRoteirizado();
    JogadorRoteirizado(const JogadorRoteirizado&) = delete;
    JogadorRoteirizado& operator=(const JogadorRoteirizado&) = delete;

    // A stage begins: how fast its walls fall and what its arrows look like.
    // The character stays where it was (a new game starts it at its usual
    // place).
    void comecarFase(int fase);

    // The picture just presented on `tela` (640 x 480, 32-bit memory bitmap)
    // reaches its eyes; it looks at the one presented `atraso` frames ago
    // and chooses the keys for the next frame.
    void olhar(BITMAP* tela);

    // Writes its chosen keys into key[]: its own six keys only.
    void apertar() const;
    // The same choice: the step it walks (-1 left, 0, +1 right), and the
    // arrow it answers (0-3: up, down, left, right) or -1.
    int passo() const;
    int resposta() const;

    // Lives shown in its lives box on the cover strip of `tela`.
    int vidasNaTela(BITMAP* tela) const;

    const Diario& diario() const;

private:
    struct Interno;
    std::unique_ptr<Interno> eu;
};

}  // namespace roteiro

#endif
