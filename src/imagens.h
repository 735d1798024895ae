#ifndef IMAGENS_H
#define IMAGENS_H

#include <cstddef>
#include <string>

#include "Sangue.h"

// Every picture the game loads, by the path it is loaded from (relative to the
// working directory). The classes load through these names and the start-up
// check walks TODAS, so the two can never disagree about which files exist.
namespace imagens {

// Title menu and end screens.
inline constexpr const char* INSTRUCOES = "./abertura/instrucoes.bmp";
inline constexpr const char* BACK_HELP = "./abertura/back_help.bmp";
inline constexpr const char* BACK = "./abertura/back.bmp";
inline constexpr const char* CLAVE = "./abertura/clave.bmp";
inline constexpr const char* CAIXA[4] = {
    "./abertura/caixa0.bmp", "./abertura/caixa1.bmp",
    "./abertura/caixa2.bmp", "./abertura/caixa3.bmp"};
inline constexpr const char* GAME_OVER = "./abertura/game_over.bmp";
inline constexpr const char* FINISH_ZORBO = "./abertura/finish_zorbo.bmp";
inline constexpr const char* FINISH_VELNA = "./abertura/finish_velna.bmp";
inline constexpr const char* FINISH_DRAW = "./abertura/finish_draw.bmp";

// Stage scenery.
inline constexpr const char* FASE1 = "./cenario/fase1.bmp";
inline constexpr const char* FASE2 = "./cenario/fase2.bmp";
inline constexpr const char* FASE1_MOVEL = "./cenario/fase1movel.bmp";
inline constexpr const char* FASE2_MOVEL = "./cenario/fase2movel.bmp";
inline constexpr const char* CHAO = "./cenario/chao1.bmp";

// Wall rows: file k of a stage sits at index k - 1.
inline constexpr int FILEIRAS_FASE1_TOTAL = 20;
inline constexpr int FILEIRAS_FASE2_TOTAL = 15;
inline constexpr const char* FILEIRAS_FASE1[FILEIRAS_FASE1_TOTAL] = {
    "./fileiras/fileiraMuros1_1.bmp",  "./fileiras/fileiraMuros1_2.bmp",
    "./fileiras/fileiraMuros1_3.bmp",  "./fileiras/fileiraMuros1_4.bmp",
    "./fileiras/fileiraMuros1_5.bmp",  "./fileiras/fileiraMuros1_6.bmp",
    "./fileiras/fileiraMuros1_7.bmp",  "./fileiras/fileiraMuros1_8.bmp",
    "./fileiras/fileiraMuros1_9.bmp",  "./fileiras/fileiraMuros1_10.bmp",
    "./fileiras/fileiraMuros1_11.bmp", "./fileiras/fileiraMuros1_12.bmp",
    "./fileiras/fileiraMuros1_13.bmp", "./fileiras/fileiraMuros1_14.bmp",
    "./fileiras/fileiraMuros1_15.bmp", "./fileiras/fileiraMuros1_16.bmp",
    "./fileiras/fileiraMuros1_17.bmp", "./fileiras/fileiraMuros1_18.bmp",
    "./fileiras/fileiraMuros1_19.bmp", "./fileiras/fileiraMuros1_20.bmp"};
inline constexpr const char* FILEIRAS_FASE2[FILEIRAS_FASE2_TOTAL] = {
    "./fileiras/fileiraMuros2_1.bmp",  "./fileiras/fileiraMuros2_2.bmp",
    "./fileiras/fileiraMuros2_3.bmp",  "./fileiras/fileiraMuros2_4.bmp",
    "./fileiras/fileiraMuros2_5.bmp",  "./fileiras/fileiraMuros2_6.bmp",
    "./fileiras/fileiraMuros2_7.bmp",  "./fileiras/fileiraMuros2_8.bmp",
    "./fileiras/fileiraMuros2_9.bmp",  "./fileiras/fileiraMuros2_10.bmp",
    "./fileiras/fileiraMuros2_11.bmp", "./fileiras/fileiraMuros2_12.bmp",
    "./fileiras/fileiraMuros2_13.bmp", "./fileiras/fileiraMuros2_14.bmp",
    "./fileiras/fileiraMuros2_15.bmp"};

// Arrows, indexed by arrow code: 0-3 stage 1 (up, down, left, right),
// 4-7 stage 2 in the same order. These paths have no leading "./".
inline constexpr const char* SETAS[8] = {
    "setas/setau1m.bmp", "setas/setad1m.bmp", "setas/setal1m.bmp",
    "setas/setar1m.bmp", "setas/setau2m.bmp", "setas/setad2m.bmp",
    "setas/setal2m.bmp", "setas/setar2m.bmp"};
inline constexpr const char* EXCLAMACAO = "./setas/exclamacao.bmp";

// Characters: [player 0/1][picture], pictures in loading order
// dir, dir1, dir2, esq, esq1, esq2.
inline constexpr const char* PERSONAGENS[2][6] = {
    {"./personagens/P1 - dir.bmp", "./personagens/P1 - dir1.bmp",
     "./personagens/P1 - dir2.bmp", "./personagens/P1 - esq.bmp",
     "./personagens/P1 - esq1.bmp", "./personagens/P1 - esq2.bmp"},
    {"./personagens/P2 - dir.bmp", "./personagens/P2 - dir1.bmp",
     "./personagens/P2 - dir2.bmp", "./personagens/P2 - esq.bmp",
     "./personagens/P2 - esq1.bmp", "./personagens/P2 - esq2.bmp"}};

// Health bar: the health-bar unit is also built alone, so its paths live in
// its own header and are only referred to here.
inline constexpr const char* CINCO_UNIDADES = Sangue::ARQUIVO_CINCO_UNIDADES;
inline constexpr const char* UM_LIFE = Sangue::ARQUIVO_UM_LIFE;
inline constexpr const char* CEM_LIFE = Sangue::ARQUIVO_CEM_LIFE;
inline constexpr const char* BARRA_HP = Sangue::ARQUIVO_BARRA_HP;

// Life icons.
inline constexpr const char* RED_MUSH = "./vidas/redmush.bmp";
inline constexpr const char* GREEN_MUSH = "./vidas/greenmush.bmp";

// All of the above, for the start-up check.
inline constexpr const char* TODAS[] = {
    INSTRUCOES, BACK_HELP, BACK, CLAVE, CAIXA[0], CAIXA[1], CAIXA[2], CAIXA[3],
    GAME_OVER, FINISH_ZORBO, FINISH_VELNA, FINISH_DRAW,
    FASE1, FASE2, FASE1_MOVEL, FASE2_MOVEL, CHAO,
    FILEIRAS_FASE1[0], FILEIRAS_FASE1[1], FILEIRAS_FASE1[2], FILEIRAS_FASE1[3],
    FILEIRAS_FASE1[4], FILEIRAS_FASE1[5], FILEIRAS_FASE1[6], FILEIRAS_FASE1[7],
    FILEIRAS_FASE1[8], FILEIRAS_FASE1[9], FILEIRAS_FASE1[10], FILEIRAS_FASE1[11],
    FILEIRAS_FASE1[12], FILEIRAS_FASE1[13], FILEIRAS_FASE1[14], FILEIRAS_FASE1[15],
    FILEIRAS_FASE1[16], FILEIRAS_FASE1[17], FILEIRAS_FASE1[18], FILEIRAS_FASE1[19],
    FILEIRAS_FASE2[0], FILEIRAS_FASE2[1], FILEIRAS_FASE2[2], FILEIRAS_FASE2[3],
    FILEIRAS_FASE2[4], FILEIRAS_FASE2[5], FILEIRAS_FASE2[6], FILEIRAS_FASE2[7],
    FILEIRAS_FASE2[8], FILEIRAS_FASE2[9], FILEIRAS_FASE2[10], FILEIRAS_FASE2[11],
    FILEIRAS_FASE2[12], FILEIRAS_FASE2[13], FILEIRAS_FASE2[14],
    SETAS[0], SETAS[1], SETAS[2], SETAS[3], SETAS[4], SETAS[5], SETAS[6], SETAS[7],
    EXCLAMACAO,
    PERSONAGENS[0][0], PERSONAGENS[0][1], PERSONAGENS[0][2],
    PERSONAGENS[0][3], PERSONAGENS[0][4], PERSONAGENS[0][5],
    PERSONAGENS[1][0], PERSONAGENS[1][1], PERSONAGENS[1][2],
    PERSONAGENS[1][3], PERSONAGENS[1][4], PERSONAGENS[1][5],
    CINCO_UNIDADES, UM_LIFE, CEM_LIFE, BARRA_HP,
    RED_MUSH, GREEN_MUSH};
inline constexpr std::size_t TOTAL = sizeof(TODAS) / sizeof(TODAS[0]);

// True when the file at `caminho` is a BMP that the library's reader draws
// exactly as it encodes, without reading or writing outside the file or the
// picture (see verificacao_bmp.h); a truncated, foreign or lying file gives
// false.
bool bmpCompleto(const char* caminho);

// True when the file passes bmpCompleto and the library then loads it: the
// check the game makes of each picture at start-up.
bool imagemCarrega(const char* caminho);

// The first picture of TODAS that cannot be loaded as a picture, or nullptr
// when every one loads. Needs the library started and the colour depth set.
const char* primeiraImagemInvalida();

// The message shown when a picture is missing, e.g.
// "Nao foi possivel carregar ./abertura/back.bmp (pasta atual: /home/x)".
std::string mensagemImagemInvalida(const char* caminho, const std::string& pasta);

}  // namespace imagens

#endif
