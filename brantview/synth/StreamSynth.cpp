#include "StreamSynth.h"

#include "StreamComposer.h"

namespace brantview {

QByteArray synthesizeStream(const StreamSynthOptions &options)
{
    return synth::StreamComposer(options).compose();
}

}  // namespace brantview
