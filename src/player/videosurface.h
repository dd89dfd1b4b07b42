#pragma once

#include <QOpenGLWidget>

class MpvController;
struct mpv_render_context;

// Draws mpv's picture through its render API. The render context lives with
// this widget's OpenGL context: created in initializeGL, freed when the context
// goes (a move to another top-level window, as full screen does) and always
// before the mpv core.
class VideoSurface : public QOpenGLWidget
{
    Q_OBJECT

public:
    explicit VideoSurface(MpvController &controller, QWidget *parent = nullptr);
    ~VideoSurface() override;

    bool hasRenderContext() const { return m_renderContext != nullptr; }

Q_SIGNALS:
    // The OpenGL context is set up, with mpv's render context in it when
    // mpv could make one.
    void initialized();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void onRenderUpdate(void *context);
    void createRenderContext();
    void freeRenderContext();

    MpvController &m_controller;
    mpv_render_context *m_renderContext = nullptr;
};
