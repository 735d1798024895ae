#include "Personagem.h"

#include "define.h"
#include "imagens.h"
#include "medidas.h"

namespace {
const int CHAO_Y = medidas::LINHA_CHAO;  // the feet stand on this line all game
using medidas::CENTRO_P1;
using medidas::CENTRO_P2;
const int VELOCIDADE = medidas::VELOCIDADE_PERSONAGEM;
using medidas::VIDAS_INICIAIS;
using medidas::LIMITE_DIREITO;
using medidas::LIMITE_ESQUERDO;
using medidas::LINHAS_SOBRE_A_CABECA;
using medidas::RECUO_DA_CABECA;
const int QUADROS_CICLO = 32;    // walk cycle: 4 pictures, 8 frames each
const int QUADROS_RECUPERACAO = 100;

// Picture slots in the order they are loaded: dir, dir1, dir2, esq, esq1, esq2.
enum { DIR, DIR1, DIR2, ESQ, ESQ1, ESQ2 };
}  // namespace

Personagem::Personagem(int esq, int dir, int jogador) {
    carregar_imagem(jogador);
    direcao = true;
    animacao = 0;
    lado = PARADO;
    const int centro = jogador == 1 ? CENTRO_P1 : CENTRO_P2;
    x = centro - get_size_W() / 2;
    y = CHAO_Y - get_size_H();
    velocidade = VELOCIDADE;
    vidas = VIDAS_INICIAIS;
    morto = false;
    morto_counter = 0;
    direita = dir;
    esquerda = esq;
    colisao = false;
}

// Columns 0 and 2 of a row share the standing picture: release it once.
Personagem::~Personagem() {
    for (int linha = 0; linha < 2; linha++) {
        destroy_bitmap(sprite[linha][0]);
        destroy_bitmap(sprite[linha][1]);
        destroy_bitmap(sprite[linha][3]);
    }
}

void Personagem::carregar_imagem(int jogador) {
    const char* const* arquivos = imagens::PERSONAGENS[jogador == 1 ? 0 : 1];
    sprite[0][0] = load_bitmap(arquivos[DIR], NULL);
    sprite[0][2] = sprite[0][0];
    sprite[0][1] = load_bitmap(arquivos[DIR1], NULL);
    sprite[0][3] = load_bitmap(arquivos[DIR2], NULL);
    sprite[1][0] = load_bitmap(arquivos[ESQ], NULL);
    sprite[1][2] = sprite[1][0];
    sprite[1][1] = load_bitmap(arquivos[ESQ1], NULL);
    sprite[1][3] = load_bitmap(arquivos[ESQ2], NULL);
}

void Personagem::processar(BITMAP& buffer) {
    if (vidas <= 0) return;
    colisaoCima(buffer);
    mover(buffer);
    desenhar(buffer);
}

// Black on either of the two columns just left of the body blocks the walk.
bool Personagem::colisaoEsquerda(BITMAP& buffer) {
    const int preto = makecol(0, 0, 0);
    const int h = get_size_H();
    for (int linha = y; linha < y + h; linha++)
        if (getpixel(&buffer, x, linha) == preto || getpixel(&buffer, x - 1, linha) == preto)
            return true;
    return false;
}

bool Personagem::colisaoDireita(BITMAP& buffer) {
    const int preto = makecol(0, 0, 0);
    const int w = get_size_W(), h = get_size_H();
    for (int linha = y; linha < y + h; linha++)
        if (getpixel(&buffer, x + w, linha) == preto ||
            getpixel(&buffer, x + w + 1, linha) == preto)
            return true;
    return false;
}

// Black on the two rows just above the head, near either side, is a wall
// coming down on the character.
void Personagem::colisaoCima(BITMAP& buffer) {
    const int preto = makecol(0, 0, 0);
    const int w = get_size_W();
    for (int acima = 1; acima <= LINHAS_SOBRE_A_CABECA; acima++) {
        bool tocou = getpixel(&buffer, x + RECUO_DA_CABECA, y - acima) == preto ||
                     getpixel(&buffer, x + w - RECUO_DA_CABECA, y - acima) == preto;
        if (tocou && !morto) set_colisao();
    }
}

void Personagem::set_vidas(int a) { vidas = a; }

int Personagem::get_vidas() { return vidas; }

void Personagem::resetarVidas() {
    vidas = VIDAS_INICIAIS;
    morto = false;
    morto_counter = 0;
}

// The left step comes first; the right step tests where the left one left the
// character. Bounds are tested before the step, so x can reach 138 and the
// right edge 500. While recovering the character walks through walls.
void Personagem::mover(BITMAP& buffer) {
    set_direcao(PARADO);
    if (key[esquerda]) {
        set_direcao(ESQUERDA);
        if ((!colisaoEsquerda(buffer) || morto) && x > LIMITE_ESQUERDO) x -= velocidade;
    }
    if (key[direita]) {
        set_direcao(DIREITA);
        if ((!colisaoDireita(buffer) || morto) && x + get_size_W() <= LIMITE_DIREITO)
            x += velocidade;
    }
}

void Personagem::desenhar(BITMAP& buffer) {
    get_direcao();
    get_animacao();
    if (colisao && !morto) {
        set_morto();
        colisao = false;
    }
    set_morto_counter();
    // Blinks while recovering: hidden on frames 3-5, 9-11, ... of the timer.
    if ((morto_counter / 3) % 2 == 0) draw_sprite(&buffer, get_sprite(), x, y);
}

void Personagem::set_direcao(char a) {
    if (a == PARADO)
        lado = PARADO;
    else
        lado = lado | a;
}

bool Personagem::get_direcao() {
    if (lado == DIREITA) direcao = false;
    if (lado == ESQUERDA) direcao = true;
    return direcao;
}

// The walk cycle runs only while exactly one walking key is held.
char Personagem::get_animacao() {
    if (lado == DIREITA || lado == ESQUERDA)
        animacao++;
    else
        animacao = 0;
    animacao = animacao % QUADROS_CICLO;
    return static_cast<char>(animacao);
}

void Personagem::set_morto() {
    morto = true;
    vidas--;
}

void Personagem::set_morto_counter() {
    if (!morto) return;
    morto_counter = (morto_counter + 1) % QUADROS_RECUPERACAO;
    if (morto_counter == 0) morto = false;
}

void Personagem::set_colisao() { colisao = true; }

bool Personagem::get_morto() { return morto; }

int Personagem::get_morto_counter() { return morto_counter; }

BITMAP* Personagem::get_sprite() { return sprite[direcao][((animacao + 6) / 8) % 4]; }

int Personagem::get_size_W() { return get_sprite()->w; }

int Personagem::get_size_H() { return get_sprite()->h; }
