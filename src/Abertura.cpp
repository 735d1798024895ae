#include "Abertura.h"

#include "imagens.h"
#include "janela.h"
#include "medidas.h"

namespace {
using medidas::PASSO_ENTRADA;
const int CURSOR_Y0 = medidas::Y_CURSOR_ENTRADA0;
const int ENTRADA_INSTRUCOES = 2;
const int ENTRADA_SAIR = 3;
}  // namespace

Abertura::Abertura()
    : posY(CURSOR_Y0), opcao(0), btn_pressionado(false), help(false) {
    instrucoes = load_bitmap(imagens::INSTRUCOES, NULL);
    help_back = load_bitmap(imagens::BACK_HELP, NULL);
    back = load_bitmap(imagens::BACK, NULL);
    clave = load_bitmap(imagens::CLAVE, NULL);
    for (int i = 0; i < 4; i++) menu[i] = load_bitmap(imagens::CAIXA[i], NULL);
}

Abertura::~Abertura() {
    destroy_bitmap(instrucoes);
    destroy_bitmap(help_back);
    destroy_bitmap(back);
    destroy_bitmap(clave);
    for (int i = 0; i < 4; i++) destroy_bitmap(menu[i]);
}

int Abertura::selecao(BITMAP* buffer, bool continuar) {
    if (continuar) return opcao;

    bool terminou = false;
    while (!terminou) {
        // Each key acts once per press: btn_pressionado holds every menu key
        // back until all four have been seen up at the end of a pass.
        if (key[KEY_UP] && opcao > 0 && !btn_pressionado) {
            posY -= PASSO_ENTRADA;
            opcao--;
        }
        if (key[KEY_DOWN] && opcao <= 2 && !btn_pressionado) {
            posY += PASSO_ENTRADA;
            opcao++;
        }
        if (key[KEY_ESC] && !btn_pressionado) {
            if (help) {
                help = false;
            } else {
                opcao = ENTRADA_SAIR;
                posY = CURSOR_Y0 + PASSO_ENTRADA * opcao;
                terminou = true;
            }
        }
        if (key[KEY_ENTER] && !btn_pressionado) {
            if (opcao == ENTRADA_INSTRUCOES)
                help = !help;
            else
                terminou = true;
        }
        if (janelaFechada()) {  // the close button leaves like the Sair entry
            opcao = ENTRADA_SAIR;
            posY = CURSOR_Y0 + PASSO_ENTRADA * opcao;
            terminou = true;
        }
        btn_pressionado = key[KEY_UP] || key[KEY_DOWN] || key[KEY_ENTER] || key[KEY_ESC];

        if (help) {
            draw_sprite(buffer, help_back, 0, 0);
            draw_sprite(buffer, instrucoes, medidas::X_INSTRUCOES, medidas::Y_INSTRUCOES);
        } else {
            draw_sprite(buffer, back, 0, 0);
            draw_sprite(buffer, menu[opcao], medidas::X_CAIXA_MENU, medidas::Y_CAIXA_MENU);
            draw_sprite(buffer, clave, medidas::X_CURSOR, posY);
        }
        blit(buffer, screen, 0, 0, 0, 0, buffer->w, buffer->h);
        clear(buffer);
    }
    return opcao;
}
