#pragma once

#include "core/playback/mpvengine.h"

#include <QOpenGLWidget>
#include <functional>

class MpvController;
struct mpv_render_context;

// Draws mpv's picture through its render API. The render context lives with
// this widget's OpenGL context: created in initializeGL, freed when the context
// goes (a move to another top-level window, as full screen does) and always
// before the mpv core.
class VideoSurface : public QOpenGLWidget, public MpvSurface
{
    Q_OBJECT

public:
    // `initialized` runs at the end of each initializeGL.
    VideoSurface(MpvController &controller, std::function<void()> initialized, QWidget *parent = nullptr);
    ~VideoSurface() override;

    QWidget *widget() override { return this; }
    bool hasRenderContext() const override { return m_renderContext != nullptr; }

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    static void onRenderUpdate(void *context);
    void createRenderContext();
    void freeRenderContext();

    MpvController &m_controller;
    std::function<void()> m_initialized;
    mpv_render_context *m_renderContext = nullptr;
};
