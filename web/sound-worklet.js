// The audio thread's side of the game's sound: plays the stereo chunks the
// page renders on the game's thread (web/page.js), and asks for the next
// ones early enough that the queue never runs dry, yet holds no more than
// about 20 ms, so that a sword's sound stays with its swing.
'use strict';

class VarnholtSound extends AudioWorkletProcessor {
  constructor(options) {
    super();
    this.chunkFrames = options.processorOptions.chunkFrames;
    this.queuedFrames = 0;  // rendered and waiting here, or asked for
    this.chunks = [];       // [left, right] pairs of Float32Array
    this.at = 0;            // frames of the first chunk already played
    this.late = 0;          // render quanta that found the queue empty
    this.started = false;
    this.port.onmessage = event => {
      this.chunks.push(event.data);
      this.started = true;
    };
  }

  process(inputs, outputs) {
    const [left, right] = outputs[0];
    for (let i = 0; i < left.length;) {
      const chunk = this.chunks[0];
      if (!chunk) {
        // The game's thread was late: silence, rather than a stutter later.
        // (Before the first chunk, nothing was late: sound is starting.)
        if (this.started) ++this.late;
        left.fill(0, i);
        right.fill(0, i);
        break;
      }
      const count = Math.min(left.length - i, chunk[0].length - this.at);
      left.set(chunk[0].subarray(this.at, this.at + count), i);
      right.set(chunk[1].subarray(this.at, this.at + count), i);
      i += count;
      this.at += count;
      if (this.at === chunk[0].length) {
        this.chunks.shift();
        this.at = 0;
      }
    }
    this.queuedFrames -= left.length;
    while (this.queuedFrames < 2 * this.chunkFrames) {
      this.port.postMessage({ frames: this.chunkFrames, late: this.late });
      this.queuedFrames += this.chunkFrames;
    }
    return true;
  }
}

registerProcessor('varnholt-sound', VarnholtSound);
