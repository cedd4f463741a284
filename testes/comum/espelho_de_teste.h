#pragma once
// Fixture dos testes que passam pelo Qt offscreen: o espelho instalado, uma tela de 800 x 800
// pixels a 96 dpi (15 twips por pixel) e todas as janelas descarregadas no fim.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QPoint>

#include "plataforma/formularios.h"
#include "plataforma/qt/espelho_qt.h"

namespace orvel::teste {

class com_espelho_qt : public ::testing::Test {
protected:
    void SetUp() override {
        destruir_todas_as_janelas();
        tela() = dados_da_tela{};
    }
    void TearDown() override {
        destruir_todas_as_janelas();
        QApplication::processEvents();
        // As janelas do Qt que o espelho soltou (deleteLater) morrem aqui, e não dentro do laço
        // de eventos de um diálogo do teste seguinte, que pode ter uma delas como mãe.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget* superficie(formulario& f) { return espelho.janela_de(f)->superficie(); }
    static QPoint px(int x_twips, int y_twips) { return QPoint(x_twips / 15, y_twips / 15); }

    espelho_qt espelho;
};

}  // namespace orvel::teste
