#include "partida.h"

#include "Fase.h"
#include "define.h"
#include "medidas.h"

namespace apoio {

Partida::Partida(int jogadores)
    : buffer(MAX_X, medidas::ALTURA_TELA), cobertura(MAX_X, medidas::ALTURA_COBERTURA) {
    iniciarJogo(jogo, buffer.get(), cobertura.get(), jogadores);
}

Partida::~Partida() { liberarJogo(jogo); }

Desfecho Partida::quadro() {
    const Desfecho desfecho = quadroDeJogo(jogo, cobertura.get(), flag);
    flag = guardaDeTeclas();
    apresentar(buffer.get(), cobertura.get());
    return desfecho;
}

int Partida::fase() const { return jogo.faseAtual == jogo.fase1 ? 1 : 2; }

bool Partida::emTransicao() const { return jogo.faseAtual->passouFase(); }

Player& Partida::jogador(int numero) const { return numero == 2 ? *jogo.p2 : *jogo.p1; }

}  // namespace apoio
