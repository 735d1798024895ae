#ifndef PERSONAGEM_H
#define PERSONAGEM_H

#include <allegro.h>

// A player's figure on the ground: walks with two keys, animates, is blocked
// by pure-black pixels of the buffer and loses a life when black touches its
// head, then blinks and passes through walls for 100 frames.
class Personagem {
public:
    Personagem(int esq, int dir, int jogador);
    ~Personagem();
    Personagem(const Personagem&) = delete;
    Personagem& operator=(const Personagem&) = delete;

    void processar(BITMAP& buffer);
    bool colisaoEsquerda(BITMAP& buffer);
    bool colisaoDireita(BITMAP& buffer);
    void colisaoCima(BITMAP& buffer);
    void set_vidas(int a);
    int get_vidas();
    void resetarVidas();

private:
    void carregar_imagem(int jogador);
    void mover(BITMAP& buffer);
    void desenhar(BITMAP& buffer);
    void set_direcao(char a);
    bool get_direcao();
    char get_animacao();
    void set_morto();
    void set_morto_counter();
    void set_colisao();
    bool get_morto();
    int get_morto_counter();
    BITMAP* get_sprite();
    int get_size_W();
    int get_size_H();

    BITMAP* sprite[2][4];
    bool direcao;
    int animacao;
    char lado;
    int x;
    int y;
    int velocidade;
    int vidas;
    bool morto;
    int morto_counter;
    int direita;
    int esquerda;
    bool colisao;
};

#endif
