#include "modules/player/videosurface.h"

#include "modules/player/mpvcontroller.h"
#include "platform/modules/sharedgl.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <mpv/render_gl.h>

namespace
{

void *procAddress(void *, const char *name)
{
    QOpenGLContext *context = QOpenGLContext::currentContext();
    return context ? reinterpret_cast<void *>(context->getProcAddress(name)) : nullptr;
}

} // namespace

VideoSurface::VideoSurface(MpvController &controller, std::function<void()> initialized, QWidget *parent)
    : QOpenGLWidget(parent)
    , m_controller(controller)
    , m_initialized(std::move(initialized))
{
    // Before this widget's context exists, so that it shares with the engine's.
    SharedGl::ensure();
    setMinimumSize(64, 36);
}

VideoSurface::~VideoSurface()
{
    freeRenderContext();
}

void VideoSurface::initializeGL()
{
    createRenderContext();
    if (m_initialized)
        m_initialized();
}

void VideoSurface::createRenderContext()
{
    if (m_controller.videoOutput() != QLatin1String("libmpv"))
        return;
    mpv_opengl_init_params glInit { &procAddress, nullptr };
    mpv_render_param params[] = {
        { MPV_RENDER_PARAM_API_TYPE, const_cast<char *>(MPV_RENDER_API_TYPE_OPENGL) },
        { MPV_RENDER_PARAM_OPENGL_INIT_PARAMS, &glInit },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    if (mpv_render_context_create(&m_renderContext, m_controller.handle(), params) < 0) {
        m_renderContext = nullptr;
        return;
    }
    mpv_render_context_set_update_callback(m_renderContext, &VideoSurface::onRenderUpdate, this);
    connect(
        context(), &QOpenGLContext::aboutToBeDestroyed, this, &VideoSurface::freeRenderContext, Qt::DirectConnection);
    // A render context made anew (after full screen) finds video switched off.
    m_controller.reloadVideo();
}

void VideoSurface::freeRenderContext()
{
    if (!m_renderContext)
        return;
    makeCurrent();
    mpv_render_context_set_update_callback(m_renderContext, nullptr, nullptr);
    mpv_render_context_free(m_renderContext);
    m_renderContext = nullptr;
    doneCurrent();
}

void VideoSurface::onRenderUpdate(void *context)
{
    // Called on mpv's threads: the repaint is queued for the GUI thread.
    auto *self = static_cast<VideoSurface *>(context);
    QMetaObject::invokeMethod(self, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void VideoSurface::paintGL()
{
    if (!m_renderContext) {
        QOpenGLContext::currentContext()->functions()->glClearColor(0, 0, 0, 1);
        QOpenGLContext::currentContext()->functions()->glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    const qreal ratio = devicePixelRatioF();
    mpv_opengl_fbo fbo { int(defaultFramebufferObject()), int(width() * ratio), int(height() * ratio), 0 };
    int flipY = 1;
    mpv_render_param params[] = {
        { MPV_RENDER_PARAM_OPENGL_FBO, &fbo },
        { MPV_RENDER_PARAM_FLIP_Y, &flipY },
        { MPV_RENDER_PARAM_INVALID, nullptr },
    };
    mpv_render_context_render(m_renderContext, params);
}
