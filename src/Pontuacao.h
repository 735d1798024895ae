#ifndef PONTUACAO_H
#define PONTUACAO_H

#include <allegro.h>

// One player's score: points, the current streak of hits and the multiplier
// that grows with it, and the 158 x 24 score panel drawn on the cover strip.
class Pontuacao {
public:
    Pontuacao(BITMAP& bmp, int pX, int pY);
    ~Pontuacao();
    Pontuacao(const Pontuacao&) = delete;
    Pontuacao& operator=(const Pontuacao&) = delete;

    void adicionarPontos(int valor);
    void incrementarCombo();
    void zerarCombo();
    void desenhar(BITMAP& buffer);
    int getPontos();

private:
    void incrementarMult();
    void zerarMult();
    BITMAP* decodificarPontos();

    int pontos;
    int comboAtual;
    int comboMax;
    int multiplicador;
    int auxMult;
    int posPX;
    int posPY;
    BITMAP* pontuacao;
    BITMAP* screen;
    bool noCombo;
};

#endif
