#include "plataforma/qt/servicos_qt.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdlib>

#include "plataforma/qt/cursores.h"

namespace orvel {

namespace {
QString q(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
std::string s(const QString& q) { return q.toUtf8().toStdString(); }
}  // namespace

std::string filtro_para_qt(const std::string& filtro) {
    // Pares descrição|padrão; o Qt só quer as descrições, que já trazem o padrão entre parênteses.
    std::string saida;
    std::size_t ini = 0;
    int campo = 0;
    while (ini <= filtro.size()) {
        std::size_t fim = filtro.find('|', ini);
        if (fim == std::string::npos) fim = filtro.size();
        if (campo % 2 == 0) {
            if (!saida.empty()) saida += ";;";
            saida += filtro.substr(ini, fim - ini);
        }
        ++campo;
        ini = fim + 1;
    }
    return saida;
}

int servicos_qt::caixa_de_mensagem(const std::string& texto, int estilo, const std::string& titulo) {
    QMessageBox caixa(QApplication::activeWindow());
    caixa.setWindowTitle(q(titulo.empty() ? std::string("ORVEL") : titulo));
    caixa.setText(q(texto));
    const int icone = estilo & 0x70;
    caixa.setIcon(icone == icone_exclamacao ? QMessageBox::Warning
                  : icone == icone_pergunta ? QMessageBox::Question
                                            : QMessageBox::NoIcon);
    struct botao {
        const char* texto;
        int resposta;
        QMessageBox::ButtonRole papel;
    };
    std::vector<botao> botoes;
    switch (estilo & 7) {
        case estilo_ok_cancelar: botoes = {{"OK", resposta_ok, QMessageBox::AcceptRole}, {"Cancelar", resposta_cancelar, QMessageBox::RejectRole}}; break;
        case estilo_sim_nao_cancelar:
            botoes = {{"Sim", resposta_sim, QMessageBox::YesRole}, {"Não", resposta_nao, QMessageBox::NoRole}, {"Cancelar", resposta_cancelar, QMessageBox::RejectRole}};
            break;
        case estilo_sim_nao: botoes = {{"Sim", resposta_sim, QMessageBox::YesRole}, {"Não", resposta_nao, QMessageBox::NoRole}}; break;
        default: botoes = {{"OK", resposta_ok, QMessageBox::AcceptRole}}; break;
    }
    std::vector<std::pair<QAbstractButton*, int>> mapa;
    for (const auto& b : botoes) mapa.emplace_back(caixa.addButton(QString::fromUtf8(b.texto), b.papel), b.resposta);
    caixa.setDefaultButton(static_cast<QPushButton*>(mapa.front().first));
    // Sem botão de cancelar, fechar a caixa vale o último botão (Não ou OK).
    caixa.setEscapeButton(mapa.back().first);
    // A caixa não pode mudar o ponteiro que o programa pôs: o cursor normal só sobre ela.
    caixa.setCursor(Qt::ArrowCursor);
    caixa.exec();
    for (const auto& [b, r] : mapa)
        if (caixa.clickedButton() == b) return r;
    return mapa.back().second;
}

void servicos_qt::definir_ponteiro_da_tela(int codigo) {
    ponteiro_ = codigo;
    if (cursor_sobreposto_) {
        QApplication::restoreOverrideCursor();
        cursor_sobreposto_ = false;
    }
    if (codigo != ponteiro_padrao) {
        QApplication::setOverrideCursor(cursor_do_codigo(codigo));
        cursor_sobreposto_ = true;
    }
}

void servicos_qt::processar_eventos_pendentes() { QApplication::processEvents(QEventLoop::AllEvents); }

void servicos_qt::encerrar_programa() {
    std::fflush(nullptr);
    std::exit(0);
}

std::optional<std::string> servicos_qt::dialogo_abrir(const parametros_do_dialogo& p) {
    const QString r = QFileDialog::getOpenFileName(QApplication::activeWindow(), q(p.titulo), q(p.pasta_inicial),
                                                   q(filtro_para_qt(p.filtro)));
    if (r.isEmpty()) return std::nullopt;
    return s(r);
}

std::optional<std::string> servicos_qt::dialogo_salvar(const parametros_do_dialogo& p) {
    QString inicial = q(p.pasta_inicial);
    if (!p.nome_proposto.empty()) inicial += "/" + q(p.nome_proposto);
    // O próprio programa pergunta antes de substituir um arquivo existente.
    const QString r = QFileDialog::getSaveFileName(QApplication::activeWindow(), q(p.titulo), inicial,
                                                   q(filtro_para_qt(p.filtro)), nullptr,
                                                   QFileDialog::DontConfirmOverwrite);
    if (r.isEmpty()) return std::nullopt;
    return s(r);
}

std::string servicos_qt::pasta_do_programa() { return s(QCoreApplication::applicationDirPath()); }

}  // namespace orvel
