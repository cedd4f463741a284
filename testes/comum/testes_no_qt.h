#pragma once
// O main dos executáveis de testes que passam pelo Qt, com a aplicação já criada: as camadas de
// baixo chegam às janelas do editor, como no programa, e cada teste começa de um contexto novo.

#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>

#include "comum/contexto_novo.h"
#include "editor/janelas.h"

namespace orvel::teste {

// Depois de cada teste, as janelas que ficaram são destruídas e as do Qt que elas soltaram
// (deleteLater) morrem logo, e não no laço de eventos de um teste seguinte.
class janelas_do_qt_destruidas_a_cada_teste : public ::testing::EmptyTestEventListener {
public:
    void OnTestEnd(const ::testing::TestInfo&) override {
        destruir_todas_as_janelas();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

// Roda os testes (depois de InitGoogleTest) e, no fim, destrói as janelas e desinstala o que instalou.
inline int rodar_os_testes_no_qt() {
    instalar_janelas_do_programa(&janelas_do_editor());
    instalar_observador_do_calculo(&observador_das_janelas());
    recomecar_o_contexto_a_cada_teste();
    ::testing::UnitTest::GetInstance()->listeners().Append(new janelas_do_qt_destruidas_a_cada_teste);
    const int resultado = RUN_ALL_TESTS();
    destruir_todas_as_janelas();
    instalar_observador_do_calculo(nullptr);
    instalar_janelas_do_programa(nullptr);
    return resultado;
}

}  // namespace orvel::teste
