// The native program's own outputs, which the browser build must match:
// pictures of a replayed recording and the title music's MIDI messages.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

// Frames of docs/demo.rec (1340 frames long) far enough apart to show
// different scenes: the meadow, the fall into the cave, the fights below.
export const replayFrames = [200, 700, 1300];

// How many of the title music's first messages the page must repeat.
export const midiMessages = 20;

// Runs the native game in DIR (so that nothing it writes lands in the
// repository) and returns what it printed.
function runGame(game, dir, args) {
  return execFileSync(game, args, { cwd: dir, encoding: 'utf8', timeout: 60_000 });
}

// Fills DIR with demo.rec, frame-N.png for every replay frame and
// title-midi.log; returns their names and the MIDI lines.
export function makeReferences({ repo, buildDir, dir }) {
  const game = path.join(buildDir, 'varnholt');
  if (!fs.existsSync(game)) throw new Error(`no native game at ${game}; build it with scripts/build`);
  fs.copyFileSync(path.join(repo, 'docs', 'demo.rec'), path.join(dir, 'demo.rec'));

  const last = Math.max(...replayFrames);
  const shots = replayFrames.flatMap((n) => ['--screenshot', `${n}:frame-${n}.png`]);
  runGame(game, dir, ['--replay', 'demo.rec', '--data', buildDir, '--frames', String(last), ...shots]);
  const pictures = replayFrames.map((n) => {
    const file = `frame-${n}.png`;
    if (!fs.existsSync(path.join(dir, file))) throw new Error(`the native replay wrote no ${file}`);
    return { frame: n, file };
  });
  const distinct = new Set(pictures.map((p) => fs.readFileSync(path.join(dir, p.file)).toString('base64')));
  if (distinct.size !== pictures.length) throw new Error('the chosen replay frames show the same picture');

  runGame(game, dir, ['--headless', '--frames', '600', '--data', buildDir, '--midi-log', 'title-midi.log']);
  const midi = fs.readFileSync(path.join(dir, 'title-midi.log'), 'utf8').split('\n').filter(Boolean);
  if (midi.length < midiMessages) throw new Error(`the native title music sent only ${midi.length} messages`);
  return { pictures, midi: midi.slice(0, midiMessages) };
}
