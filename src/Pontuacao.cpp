#include "Pontuacao.h"

#include "medidas.h"

namespace {
using medidas::ALTURA_PAINEL;
using medidas::LARGURA_PAINEL;
const int HITS_POR_DOBRA = 15;  // the multiplier doubles at 15 x its value
const int MULT_MAX_DOBRAVEL = 4; // ... up to 8
}  // namespace

Pontuacao::Pontuacao(BITMAP& bmp, int pX, int pY)
    : pontos(0),
      comboAtual(0),
      comboMax(0),
      multiplicador(1),
      auxMult(0),
      posPX(pX),
      posPY(pY),
      pontuacao(create_bitmap(LARGURA_PAINEL, ALTURA_PAINEL)),
      screen(&bmp),
      noCombo(false) {}

Pontuacao::~Pontuacao() { destroy_bitmap(pontuacao); }

void Pontuacao::adicionarPontos(int valor) { pontos += multiplicador * valor; }

// One more hit in a row. The threshold is 15 times the multiplier in force,
// so an unbroken streak steps it at its 15th, 30th and 60th hit.
void Pontuacao::incrementarCombo() {
    noCombo = true;
    comboAtual++;
    if (comboAtual > comboMax) comboMax = comboAtual;
    if (comboAtual == multiplicador * HITS_POR_DOBRA && multiplicador <= MULT_MAX_DOBRAVEL) {
        incrementarMult();
        auxMult++;
    }
}

void Pontuacao::zerarCombo() {
    comboAtual = 0;
    zerarMult();
    noCombo = false;
    auxMult = 0;
}

void Pontuacao::desenhar(BITMAP& buffer) {
    draw_sprite(&buffer, decodificarPontos(), posPX, posPY);
}

int Pontuacao::getPontos() { return pontos; }

void Pontuacao::incrementarMult() { multiplicador *= 2; }

void Pontuacao::zerarMult() { multiplicador = 1; }

// The panel is rendered whole on every call: an opaque black box with three
// lines; the numbers of the streak and the multiplier show only while they mean
// something.
BITMAP* Pontuacao::decodificarPontos() {
    const int branco = makecol(255, 255, 255);
    clear_bitmap(pontuacao);
    textprintf_ex(pontuacao, font, 0, 0, branco, -1, "Pontos: %d", pontos);
    textprintf_ex(pontuacao, font, 0, 8, branco, -1, "Combo: ");
    textprintf_ex(pontuacao, font, 0, 16, branco, -1, "Mult: ");
    if (noCombo) textprintf_ex(pontuacao, font, 50, 8, branco, -1, "%d", comboAtual);
    if (auxMult > 0) textprintf_ex(pontuacao, font, 50, 16, branco, -1, "%d", multiplicador);
    return pontuacao;
}
