// The page's side of the browser back end (src/platform/web/): it starts the
// game with the options of the page's address, and keeps for it what only a
// page has — the canvas, the keys, the message queue, the dialog, the sound
// and the browser's database. window.varnholt lets a test or a curious
// player look at the running game.
'use strict';

(() => {
  const canvas = document.getElementById('screen');
  const stage = document.getElementById('stage');
  const notice = document.getElementById('notice');
  const say = text => { notice.textContent = text; };

  // ---- What the browser must have -------------------------------------

  if (typeof WebAssembly !== 'object' || typeof WebAssembly.instantiate !== 'function') {
    say('This browser cannot run WebAssembly, so it cannot run Varnholt. ' +
        'Any current Chrome, Firefox, Safari or Edge can.');
    return;
  }
  // The game is built with WebAssembly's vector instructions (a function
  // that splats a byte and counts its bits stands for them).
  const vectors = new Uint8Array([0, 97, 115, 109, 1, 0, 0, 0, 1, 5, 1, 96, 0, 1, 123, 3, 2, 1, 0, 10, 10, 1,
                                  8, 0, 65, 0, 253, 15, 253, 98, 11]);
  if (!WebAssembly.validate(vectors)) {
    say('This browser\'s WebAssembly is too old for Varnholt (it lacks vector instructions): ' +
        'a current Chrome, Firefox, Safari or Edge runs it.');
    return;
  }
  const AudioContextClass = window.AudioContext || window.webkitAudioContext;
  if (!AudioContextClass) say('This browser has no Web Audio: the game plays without sound.');

  // ---- The command line, from the page's address ------------------------

  // ?replay=/fixtures/demo.rec&frames=700&set=hp=3 gives
  // --replay /inputs/demo.rec --frames 700 --set hp=3: a bare name is a flag.
  const query = new URLSearchParams(location.search);
  const args = [];
  const fetches = [];  // input files named by a path on this site
  const inputOptions = new Set(['replay', 'input']);
  for (const [name, value] of query) {
    if (name === 'fullscreen') continue;  // the page's own: no --window below
    args.push('--' + name);
    if (value === '') continue;
    if (inputOptions.has(name) && value.startsWith('/')) {
      const local = '/inputs/' + value.split('/').pop();
      fetches.push(fetch(value).then(r => {
        if (!r.ok) throw new Error(`cannot fetch ${value}: ${r.status}`);
        return r.arrayBuffer();
      }).then(bytes => [local, new Uint8Array(bytes)]));
      args.push(local);
    } else {
      args.push(value);
    }
  }
  if (!query.has('data')) args.push('--data', '/game');
  // The game shows itself on the canvas, in a window on the page unless
  // ?fullscreen asks for the game's full-screen mode: the browser's own
  // full screen needs a key press or click, so until then the picture
  // fills the page.
  if (!query.has('headless') && !query.has('fullscreen')) args.push('--window');
  const headless = query.has('headless');

  // ---- Keys --------------------------------------------------------------

  // Virtual-key codes of the keys the game knows, by the key's place on the
  // keyboard (so a French or German layout plays the same).
  const keyCodes = {
    ArrowLeft: 0x25, ArrowUp: 0x26, ArrowRight: 0x27, ArrowDown: 0x28,
    Enter: 0x0D, NumpadEnter: 0x0D, Escape: 0x1B, Pause: 0x13, Space: 0x20, Tab: 0x09,
    Backspace: 0x08, ShiftLeft: 0x10, ShiftRight: 0x10, ControlLeft: 0x11, ControlRight: 0x11,
    AltLeft: 0x12, AltRight: 0x12,
  };
  for (let i = 0; i < 26; ++i) keyCodes['Key' + String.fromCharCode(65 + i)] = 0x41 + i;
  for (let i = 0; i < 10; ++i) keyCodes['Digit' + i] = 0x30 + i;
  for (let i = 1; i <= 12; ++i) keyCodes['F' + i] = 0x6F + i;
  // The game's own keys: the page must not scroll, reload or open help on them.
  const gameKeys = new Set([0x25, 0x26, 0x27, 0x28, 0x0D, 0x1B, 0x13, 0x20, 0x43, 0x56, 0x58, 0x5A,
                            0x70, 0x71, 0x72, 0x73, 0x74, 0x75, 0x76, 0x77]);

  const keys = new Uint8Array(256);     // held now
  const pressed = new Uint8Array(256);  // pressed since the game last read the keys
  const messages = [];                  // [kind, param, repeat]: the window's message queue
  let messageWaiter = null;
  const MessageKind = { Quit: 0, ActivateApp: 1, KeyDown: 2, Close: 3, Destroy: 4, Command: 5 };
  const postMessage = (kind, param, repeat = false) => {
    messages.push([kind, param, repeat]);
    if (messageWaiter) {
      const wake = messageWaiter;
      messageWaiter = null;
      wake();
    }
  };
  const dialog = document.getElementById('message-box');
  const releaseAllKeys = () => { keys.fill(0); pressed.fill(0); };

  window.addEventListener('keydown', event => {
    startSound();
    if (dialog.open) return;  // the dialog's own keys
    const code = keyCodes[event.code];
    if (code === undefined) return;
    // In full screen Esc is the browser's way out, not the game's end.
    if (code === 0x1B && document.fullscreenElement) return;
    const plain = !event.ctrlKey && !event.metaKey && !event.altKey;
    if (gameKeys.has(code) && (plain || code >= 0x70)) event.preventDefault();
    keys[code] = 0x80;
    // A repeat is a key still held, not a new press.
    if (!event.repeat) pressed[code] = 0x80;
    // Auto-repeat is wanted: menus scroll while a key is held. The repeats
    // say so, for the commands that act once per press.
    postMessage(MessageKind.KeyDown, code, event.repeat);
  });
  window.addEventListener('keyup', event => {
    const code = keyCodes[event.code];
    if (code === undefined) return;
    if (gameKeys.has(code)) event.preventDefault();
    keys[code] = 0;
  });
  // Keys let go while the page had no focus never report their release.
  window.addEventListener('blur', () => { releaseAllKeys(); postMessage(MessageKind.ActivateApp, 0); });
  window.addEventListener('focus', () => postMessage(MessageKind.ActivateApp, 1));
  // A hidden tab is an inactive game: it waits for its messages rather than
  // running frames nobody sees, and never catches up on them afterwards.
  document.addEventListener('visibilitychange', () => {
    if (document.hidden) releaseAllKeys();
    postMessage(MessageKind.ActivateApp, document.hidden ? 0 : 1);
  });
  canvas.addEventListener('pointerdown', () => { startSound(); canvas.focus(); });

  // The full-screen button is F1, held for a moment.
  document.getElementById('full-screen').addEventListener('click', () => {
    startSound();
    keys[0x70] = pressed[0x70] = 0x80;
    setTimeout(() => { keys[0x70] = 0; }, 50);
    canvas.focus();
  });

  // ---- Picture -------------------------------------------------------------

  const context2d = canvas.getContext('2d', { alpha: false });
  let picture = null;
  let clientSize = null;  // the window size the game asked for; null: fit the page
  let wantFullScreen = false;

  const layout = () => {
    const bar = document.getElementById('bar');
    const inFullScreen = document.fullscreenElement === stage;
    const roomWidth = inFullScreen ? window.screen.width : window.innerWidth;
    const roomHeight = inFullScreen ? window.screen.height : window.innerHeight - bar.offsetHeight;
    let width = Math.max(160, Math.min(roomWidth, roomHeight * 4 / 3));
    if (clientSize && !inFullScreen) width = Math.min(width, clientSize[0]);
    canvas.style.width = Math.floor(width) + 'px';
    canvas.style.height = Math.floor(width * 3 / 4) + 'px';
  };
  window.addEventListener('resize', layout);
  // The browser leaves full screen on its own (Esc, or the player's
  // gesture): for the game that is the menu's 640x480 window command, which
  // confirms itself in a box as ever and lets F1 work again.
  const menuWindow640 = 40008;
  document.addEventListener('fullscreenchange', () => {
    layout();
    if (!document.fullscreenElement && wantFullScreen) {
      wantFullScreen = false;
      postMessage(MessageKind.Command, menuWindow640);
    }
  });
  layout();

  // ---- Sound ----------------------------------------------------------------

  let audio = null;        // the AudioContext, made when the game opens its sound
  let soundStarted = false;
  let soundPath = null;    // 'audio worklet' or 'script processor', once playing
  let synth = null;        // js-synthesizer's Synthesizer, once its soundfont is in
  const musicBuffers = [new Float32Array(0), new Float32Array(0)];
  const levels = { effects: 0, music: 0 };
  const midiLines = [];
  // The worklet keeps two chunks of 8 ms queued, the older script processor
  // two buffers of about 11 ms: either way well under the 50 ms after which
  // a sword's sound trails its swing.
  const chunkSeconds = 0.008;
  const bufferFrames = 512;
  let queuedSeconds = 0;
  let lateQuanta = 0;  // the audio thread's 128-frame steps that found nothing to play

  const loadSynth = () => {
    if (typeof JSSynth === 'undefined') {
      say('The synthesizer did not load: the game plays without music.');
      return;
    }
    const soundfont = fetch('TimGM6mb.sf2').then(r => {
      if (!r.ok) throw new Error('no soundfont');
      return r.arrayBuffer();
    });
    JSSynth.waitForReady().then(async () => {
      const fresh = new JSSynth.Synthesizer();
      fresh.init(audio.sampleRate);
      await fresh.loadSFont(await soundfont);
      // The music joins whenever it is ready; the game never waited for it.
      synth = fresh;
    }).catch(() => say('The soundfont did not load: the game plays without music.'));
  };

  // The mix never reaches full scale: as the game's own mixer does for the
  // desktop, a sample up to the knee passes unchanged and the excess x above
  // it is bent to x * room / (x + room), which leaves the knee with a slope
  // of 1 and never reaches the ceiling.
  const limiterKnee = 24576 / 32768, mixCeiling = 32000 / 32768;
  const softLimit = value => {
    const size = Math.abs(value);
    if (size <= limiterKnee) return value;
    const room = mixCeiling - limiterKnee, excess = size - limiterKnee;
    const bent = limiterKnee + excess * room / (excess + room);
    return value < 0 ? -bent : bent;
  };

  // Fills one stretch of the output: the game's effects and music, rendered
  // on the game's thread between two of its waits.
  const renderSound = (left, right) => {
    const frames = left.length;
    if (musicBuffers[0].length !== frames) {
      musicBuffers[0] = new Float32Array(frames);
      musicBuffers[1] = new Float32Array(frames);
    }
    musicBuffers[0].fill(0);
    musicBuffers[1].fill(0);
    const at = game ? game._webRenderAudio(frames) : 0;
    if (!at) {
      left.fill(0);
      right.fill(0);
      return;
    }
    const effects = game.HEAP16.subarray(at >> 1, (at >> 1) + 2 * frames);
    let effectsPeak = levels.effects, musicPeak = levels.music;
    for (let i = 0; i < frames; ++i) {
      const effectLeft = effects[2 * i] / 32768, effectRight = effects[2 * i + 1] / 32768;
      const musicLeft = musicBuffers[0][i], musicRight = musicBuffers[1][i];
      left[i] = softLimit(effectLeft + musicLeft);
      right[i] = softLimit(effectRight + musicRight);
      effectsPeak = Math.max(effectsPeak, Math.abs(effectLeft), Math.abs(effectRight));
      musicPeak = Math.max(musicPeak, Math.abs(musicLeft), Math.abs(musicRight));
    }
    levels.effects = effectsPeak;
    levels.music = musicPeak;
  };

  // Where there is no audio worklet: the older callback on the page's own
  // thread.
  const startScriptProcessor = () => {
    soundPath = 'script processor';
    queuedSeconds = 2 * bufferFrames / audio.sampleRate;
    const node = audio.createScriptProcessor(bufferFrames, 0, 2);
    node.onaudioprocess = event =>
      renderSound(event.outputBuffer.getChannelData(0), event.outputBuffer.getChannelData(1));
    node.connect(audio.destination);
  };

  // The audio thread plays what the game's thread renders when asked.
  const startWorklet = async () => {
    await audio.audioWorklet.addModule('sound-worklet.js');
    const node = new AudioWorkletNode(audio, 'varnholt-sound', {
      numberOfInputs: 0,
      outputChannelCount: [2],
      processorOptions: { chunkFrames: Math.round(audio.sampleRate * chunkSeconds) },
    });
    node.port.onmessage = event => {
      lateQuanta = event.data.late;
      const left = new Float32Array(event.data.frames), right = new Float32Array(event.data.frames);
      renderSound(left, right);
      node.port.postMessage([left, right], [left.buffer, right.buffer]);
    };
    node.connect(audio.destination);
    soundPath = 'audio worklet';
    queuedSeconds = 2 * chunkSeconds;
  };

  // Browsers allow sound only after the player's first key press or click.
  function startSound() {
    if (!audio || soundStarted) return;
    soundStarted = true;
    audio.resume();
    if (audio.audioWorklet && typeof AudioWorkletNode === 'function') {
      startWorklet().catch(startScriptProcessor);
    } else {
      startScriptProcessor();
    }
  }

  // ---- Saved files -----------------------------------------------------------

  // The saved game and the best score live in the browser's database; a
  // browser that refuses it (a private window) leaves the folder read-only,
  // so a save fails with the game's own message.
  let storageWorks = false;
  const mountSaves = FS => {
    FS.mkdir('/save');
    const refuse = () => {
      FS.chmod('/save', 0o555);
      say('This browser keeps no saved games here (a private window?): saving will fail.');
    };
    let database = null;
    try {
      database = window.indexedDB;  // some browsers throw when it is blocked
    } catch (error) {
      database = null;
    }
    if (!database) {
      refuse();
      FS.chdir('/save');
      return;
    }
    FS.mount(game.IDBFS || FS.filesystems.IDBFS, {}, '/save');
    game.addRunDependency('saves');
    FS.syncfs(true, error => {
      storageWorks = !error;
      if (error) refuse();
      FS.chdir('/save');
      game.removeRunDependency('saves');
    });
  };

  // ---- The game's page, as the back end sees it ---------------------------------

  let game = null;
  let ended;
  const exited = new Promise(resolve => { ended = resolve; });
  let started;
  const ready = new Promise(resolve => { started = resolve; });
  const printed = { stdout: [], stderr: [] };
  // Milliseconds since the page began to load: the game's start, its first
  // picture and its end, for measuring.
  const timing = { started: null, firstPicture: null, ended: null };

  const page = {
    takeMessage: () => messages.shift() || null,
    postMessage,
    whenMessage: wake => {
      if (messages.length) wake();
      else messageWaiter = wake;
    },
    // The keys held, and those pressed since the last reading.
    keys: new Uint8Array(256),
    pressed: new Uint8Array(256),
    readKeys: () => {
      page.keys.set(keys);
      page.pressed.set(pressed);
      pressed.fill(0);
    },
    setClientSize: (width, height) => {
      clientSize = [width, height];
      layout();
    },
    setFullScreen: on => {
      wantFullScreen = on;
      if (on && document.fullscreenElement !== stage && stage.requestFullscreen) {
        stage.requestFullscreen().catch(() => {});
      } else if (!on && document.fullscreenElement) {
        document.exitFullscreen().catch(() => {});
      }
      layout();
    },
    showPicture: (rgba, width, height) => {
      // A view on the game's own memory, made again only when that memory
      // has grown: the canvas's copy is the only one.
      if (!picture || picture.data.buffer !== rgba.buffer || picture.data.byteOffset !== rgba.byteOffset) {
        picture = new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length), width, height);
        if (timing.firstPicture === null) timing.firstPicture = performance.now();
      }
      context2d.putImageData(picture, 0, 0);
    },
    // `error`: a failure's box, with the error sign; otherwise the
    // information sign. `answered(true)` once the player closed it,
    // `answered(false)` when it could not be shown.
    messageBox: (caption, text, error, answered) => {
      document.getElementById('message-box-caption').textContent = caption;
      document.getElementById('message-box-text').textContent = text;
      dialog.className = error ? 'error' : 'information';
      document.getElementById('message-box-icon').textContent = error ? '\u26D4' : '\u2139';
      const closed = () => {
        // Keys let go while the dialog had them never reached the game.
        releaseAllKeys();
        canvas.focus();
        answered(true);
      };
      dialog.addEventListener('close', closed, { once: true });
      try {
        dialog.showModal();
      } catch (notShown) {
        dialog.removeEventListener('close', closed);
        answered(false);
        return;
      }
      document.getElementById('message-box-ok').focus();
    },
    keepFile: (path, done) => {
      if (!storageWorks) {
        done(false);
        return;
      }
      // The database takes a file only when its time differs from the copy
      // it holds, to the millisecond; the file the new one replaced may have
      // reached it within the same millisecond (a save creates the file
      // empty, then writes its replacement, whose fsync stores both).
      const FS = game.FS;
      try {
        const time = Math.max(Date.now(), FS.stat(path).mtime.getTime()) + 1;
        FS.utime(path, time, time);
      } catch (error) {
        done(false);
        return;
      }
      FS.syncfs(false, error => done(!error));
    },
    audioRate: () => {
      if (!AudioContextClass || headless) return 0;
      if (!audio) {
        try {
          audio = new AudioContextClass({ latencyHint: 'interactive' });
        } catch (error) {
          return 0;
        }
        loadSynth();
      }
      return audio.sampleRate;
    },
    midiMessage: (ms, length, status, data1, data2) => {
      const bytes = [status, data1, data2].slice(0, length);
      midiLines.push(ms.toFixed(3) + bytes.map(b => ' ' + b.toString(16).toUpperCase().padStart(2, '0')).join(''));
      if (!synth) return;
      const channel = status & 0x0F;
      switch (status & 0xF0) {
        case 0x80: synth.midiNoteOff(channel, data1); break;
        case 0x90:
          if (data2 === 0) synth.midiNoteOff(channel, data1);
          else synth.midiNoteOn(channel, data1, data2);
          break;
        case 0xA0: synth.midiKeyPressure(channel, data1, data2); break;
        case 0xB0: synth.midiControl(channel, data1, data2); break;
        case 0xC0: synth.midiProgramChange(channel, data1); break;
        case 0xD0: synth.midiChannelPressure(channel, data1); break;
        case 0xE0: synth.midiPitchBend(channel, data1 | data2 << 7); break;
        default: break;
      }
    },
    allNotesOff: () => { if (synth) synth.midiAllNotesOff(); },
    renderMusic: (offset, count) => {
      if (!synth) return;
      synth.render([musicBuffers[0].subarray(offset, offset + count),
                    musicBuffers[1].subarray(offset, offset + count)]);
    },
    programEnded: code => {
      timing.ended = performance.now();
      say(code === 0 ? 'The game has ended. Reload the page to play again.'
                     : `The game ended with code ${code}: ${printed.stderr.slice(-1)[0] || ''}`);
      ended(code);
    },
  };

  window.varnholt = {
    ready,
    exited,
    state: () => (game ? JSON.parse(game.UTF8ToString(game._varnholtState())) : null),
    readFile: path => {
      try {
        return game.FS.readFile(path, { encoding: 'utf8' });
      } catch (error) {
        return null;
      }
    },
    midiLog: () => midiLines.slice(),
    audioLevels: () => ({
      started: soundStarted && !!audio && audio.state === 'running',
      path: soundPath,
      late: lateQuanta,
      // Seconds from a sample's rendering to the speaker: our queue, then
      // the browser's own processing and its device's.
      latency: audio && {
        queue: queuedSeconds, browser: audio.baseLatency || 0, device: audio.outputLatency || 0,
      },
      ...levels,
    }),
    stdout: printed.stdout,
    stderr: printed.stderr,
    arguments: args,
    timing,
  };

  // ---- Start ------------------------------------------------------------------

  Promise.all(fetches).then(inputs => createVarnholt({
    page,
    arguments: args,
    print: line => { printed.stdout.push(line); console.log(line); },
    printErr: line => { printed.stderr.push(line); console.warn(line); },
    preRun: [module => {
      game = module;
      const FS = module.FS;
      FS.mkdir('/inputs');
      for (const [path, bytes] of inputs) FS.writeFile(path, bytes);
      FS.mkdir('/out');
      mountSaves(FS);
    }],
    onRuntimeInitialized: () => {
      timing.started = performance.now();
      started();
    },
  })).catch(error => {
    say('The game could not start: ' + error.message);
    ended(1);
  });
})();
