// The page's side of the browser platform: input, sleeping, sound, the player's files and
// files handed to or from the player. Called only from the C++ files beside it.
var KorvanePlatform = {
  $KV__deps: ['$FS', '$IDBFS', '$Asyncify'],
  $KV: {
    FOLDER: '/korvane',
    LOCK_NAME: 'korvane-player-files',
    // What is kept in the browser's storage, by path inside the player's folder.
    KEPT: '^(config\\.ini|scores\\.txt|replay|replay/[^/]+)$',
    CHANNELS: 8,
    keysDown: null,  // by key symbol, made at start-up
    keysHit: null,
    symByCode: {},
    buttons: 0,
    buttonsHit: 0,
    x: -1,
    y: -1,
    focusLost: false,
    events: 0,
    wake: null,
    hopPort: null,
    hopWaiter: null,
    kept: false,
    heldRelease: null,
    handed: [],
    audio: null,  // false where the browser has no Web Audio
    muted: false,
    musicVolume: 1,    // 0..1, as the contract's 0..MAX_VOLUME
    effectsVolume: 1,
    samples: {},
    nextSample: 1,
    channels: [],
    music: null,
    captures: [],
    EVENT_REDRAW: 1, EVENT_PRESSED: 2, EVENT_ICONIFIED: 4, EVENT_RESTORED: 8,
    EVENT_MOVED: 16,  // the pointer moved: ends an idle wait, so a still title can follow it

    // An input or window event: note it and end an idle wait.
    note: function(flags) {
      KV.events |= flags;
      if (KV.wake) KV.wake();
    },

    // SDL 1.2's key symbols for the keys a DOM event names.
    keySym: function(e) {
      var named = {
        Backspace: 8, Tab: 9, Enter: 13, Pause: 19, Escape: 27, ' ': 32, Delete: 127,
        ArrowUp: 273, ArrowDown: 274, ArrowRight: 275, ArrowLeft: 276, Insert: 277,
        Home: 278, End: 279, PageUp: 280, PageDown: 281
      };
      var key = e.key || '';
      if (key in named) return named[key];
      var f = /^F([0-9]+)$/.exec(key);
      if (f && +f[1] >= 1 && +f[1] <= 15) return 281 + (+f[1]);
      var right = (e.code || '').indexOf('Right') >= 0;
      if (key === 'Shift') return right ? 303 : 304;
      if (key === 'Control') return right ? 305 : 306;
      if (key === 'Alt') return right ? 307 : 308;
      if (key.length === 1) {
        var c = key.toLowerCase().charCodeAt(0);
        if (c < 128) return c;
      }
      return 0;
    },

    // Keys whose browser default (scrolling, focus moves) would fight the game.
    GAME_KEYS: [8, 9, 13, 32, 273, 274, 275, 276, 285, 290, 291],

    canvasPoint: function(clientX, clientY) {
      var canvas = Module['canvas'];
      var rect = canvas.getBoundingClientRect();
      if (rect.width <= 0 || rect.height <= 0) return;
      KV.x = Math.floor((clientX - rect.left) * canvas.width / rect.width);
      KV.y = Math.floor((clientY - rect.top) * canvas.height / rect.height);
    },

    press: function(mask) {
      KV.buttons |= mask;
      KV.buttonsHit |= mask;
      KV.startAudio();
      KV.note(KV.EVENT_PRESSED | KV.EVENT_REDRAW);
    },

    release: function(mask) {
      KV.buttons &= ~mask;
      KV.note(KV.EVENT_REDRAW);
    },

    toggleFullScreen: function() {
      var page = document.documentElement;
      if (document.fullscreenElement) {
        document.exitFullscreen();
      } else if (page.requestFullscreen) {
        page.requestFullscreen().catch(function() {});
      }
    },

    listen: function() {
      var canvas = Module['canvas'];
      window.addEventListener('keydown', function(e) {
        var sym = KV.keySym(e);
        KV.startAudio();
        if (sym === 290) {  // F9: the page's full screen, as the desktop's window
          if (!e.repeat) KV.toggleFullScreen();
          e.preventDefault();
          return;
        }
        if (!sym) return;
        KV.symByCode[e.code] = sym;
        if (!KV.keysDown[sym]) KV.keysHit[sym] = 1;
        KV.keysDown[sym] = 1;
        if (KV.GAME_KEYS.indexOf(sym) >= 0 && !e.ctrlKey && !e.metaKey && !e.altKey) {
          e.preventDefault();
        }
        KV.note(KV.EVENT_PRESSED | KV.EVENT_REDRAW);
      }, true);
      window.addEventListener('keyup', function(e) {
        var sym = KV.symByCode[e.code] || KV.keySym(e);
        delete KV.symByCode[e.code];
        if (sym) KV.keysDown[sym] = 0;
        KV.note(KV.EVENT_REDRAW);
      }, true);
      canvas.addEventListener('mousedown', function(e) {
        KV.canvasPoint(e.clientX, e.clientY);
        if (e.button >= 0 && e.button <= 2) KV.press(1 << e.button);
        e.preventDefault();
      });
      window.addEventListener('mouseup', function(e) {
        KV.canvasPoint(e.clientX, e.clientY);
        if (e.button >= 0 && e.button <= 2) KV.release(1 << e.button);
      });
      window.addEventListener('mousemove', function(e) {
        KV.canvasPoint(e.clientX, e.clientY);
        KV.note(KV.EVENT_MOVED);
      });
      canvas.addEventListener('contextmenu', function(e) { e.preventDefault(); });
      var touch = function(down) {
        return function(e) {
          var t = e.changedTouches[0];
          if (t) KV.canvasPoint(t.clientX, t.clientY);
          if (down === true) KV.press(1);
          if (down === false && e.touches.length === 0) KV.release(1);
          if (down === false) KV.startAudio();
          e.preventDefault();
        };
      };
      canvas.addEventListener('touchstart', touch(true), {passive: false});
      canvas.addEventListener('touchmove', touch(null), {passive: false});
      canvas.addEventListener('touchend', touch(false), {passive: false});
      canvas.addEventListener('touchcancel', touch(false), {passive: false});
      window.addEventListener('blur', function() {
        KV.focusLost = true;
        KV.keysDown.fill(0);
        KV.buttons = 0;
        KV.note(KV.EVENT_REDRAW);
      });
      window.addEventListener('focus', function() { KV.note(KV.EVENT_REDRAW); });
      document.addEventListener('visibilitychange', function() {
        if (document.hidden) {
          KV.focusLost = true;
          KV.note(KV.EVENT_ICONIFIED | KV.EVENT_REDRAW);
        } else {
          KV.note(KV.EVENT_RESTORED | KV.EVENT_REDRAW);
        }
      });
      // A message's task is not nested in a timer's, so the timeout after it is not
      // stretched to the browsers' 4 ms floor for nested timers.
      var hop = new MessageChannel();
      hop.port1.onmessage = function() {
        var waiter = KV.hopWaiter;
        KV.hopWaiter = null;
        if (waiter) waiter();
      };
      KV.hopPort = hop.port2;
    },

    sleep: function(ms, wakeUp) {
      KV.hopWaiter = function() { setTimeout(wakeUp, ms); };
      KV.hopPort.postMessage(0);
    },

    // ---- Sound: Web Audio, from the player's first click, touch or key on ----

    // Called on every click, touch and key: only a gesture the browser counts as one (not
    // Escape, not the start of a touch) may start sound, or the browser warns.
    startAudio: function() {
      var activation = navigator.userActivation;
      if (activation && !activation.isActive) return;
      if (KV.audio) {
        if (KV.audio.context.state === 'suspended') KV.audio.context.resume();
        return;
      }
      if (KV.audio === false) return;
      var Context = window.AudioContext || window.webkitAudioContext;
      if (!Context) { KV.audio = false; return; }
      var context = new Context();
      var master = context.createGain();
      master.gain.value = KV.muted ? 0 : 1;
      master.connect(context.destination);
      // Music and effects each through their own volume, both through the mute.
      var music = context.createGain();
      music.gain.value = KV.musicVolume;
      music.connect(master);
      var effects = context.createGain();
      effects.gain.value = KV.effectsVolume;
      effects.connect(master);
      KV.audio = {context: context, master: master, music: music, effects: effects};
      for (var id in KV.samples) KV.decode(KV.samples[id]);
      if (KV.music) KV.decode(KV.music, KV.musicDecoded);
    },

    decode: function(item, then) {
      if (!KV.audio || item.buffer || item.decoding) return;
      item.decoding = true;
      var bytes = item.bytes.slice().buffer;
      KV.audio.context.decodeAudioData(bytes, function(buffer) {
        item.buffer = buffer;
        if (then) then(item);
      }, function() {});
    },

    // A source of buffer into destination, played once, loops more times, or for ever (-1).
    source: function(buffer, loops, destination, when, offset) {
      var context = KV.audio.context;
      var node = context.createBufferSource();
      node.buffer = buffer;
      node.connect(destination);
      if (loops !== 0) {
        node.loop = true;
        if (loops > 0) node.stop(when + (loops + 1) * buffer.duration - (offset || 0));
      }
      node.start(when, offset || 0);
      return node;
    },

    musicDecoded: function(music) {
      if (music.wanted && !music.node && !music.paused) KV.startMusic(music, 0);
    },

    startMusic: function(music, offset) {
      var context = KV.audio.context;
      var now = context.currentTime;
      music.gain = context.createGain();
      music.gain.connect(KV.audio.music);
      var fade = music.wanted.fadeMs / 1000;
      if (fade > 0 && offset === 0) {
        music.gain.gain.setValueAtTime(0, now);
        music.gain.gain.linearRampToValueAtTime(1, now + fade);
      }
      // The mixer's loops count plays: -1 for ever, 0 and 1 once.
      var loops = music.wanted.loops < 0 ? -1 : Math.max(music.wanted.loops - 1, 0);
      music.node = KV.source(music.buffer, loops, music.gain, now, offset);
      music.startedAt = now - offset;
    },

    stopMusic: function(music, afterSeconds) {
      if (!music.node) return;
      var context = KV.audio.context;
      var end = context.currentTime + afterSeconds;
      if (afterSeconds > 0) {
        music.gain.gain.setValueAtTime(music.gain.gain.value, context.currentTime);
        music.gain.gain.linearRampToValueAtTime(0, end);
      }
      try { music.node.stop(end); } catch (e) {}
      music.node = null;
    },

    readFile: function(path) {
      try { return FS.readFile(path); } catch (e) { return null; }
    },

    // ---- The player's files: IndexedDB under the player's folder ----

    // Only the player's own files are kept; the resource link and the log are not.
    keepOnlyPlayerFiles: function() {
      var localSet = IDBFS.getLocalSet;
      IDBFS.getLocalSet = function(mount, callback) {
        localSet(mount, function(error, set) {
          if (set) {
            var prefix = mount.mountpoint + '/';
            for (var path in set.entries) {
              if (!new RegExp(KV.KEPT).test(path.substring(prefix.length))) delete set.entries[path];
            }
          }
          callback(error, set);
        });
      };
    },

    sync: function(populate, done) {
      if (!KV.kept) { done(); return; }
      FS.syncfs(populate, function(error) {
        if (error) {
          KV.kept = false;
          if (window.korvane) window.korvane.storageKept = false;
        }
        done();
      });
    },

    makeFolders: function() {
      try { FS.mkdir(KV.FOLDER + '/replay'); } catch (e) {}
    },

    download: function(name, bytes) {
      if (window.korvane) window.korvane.lastDownload = {name: name, bytes: bytes};
      var url = URL.createObjectURL(new Blob([bytes], {type: 'application/octet-stream'}));
      var link = document.createElement('a');
      link.href = url;
      link.download = name;
      document.body.appendChild(link);
      link.click();
      link.remove();
      setTimeout(function() { URL.revokeObjectURL(url); }, 10000);
    },

    // A picture of the canvas for whoever asked (korvane.capture), read before the
    // browser shows the frame and clears its buffer: RGBA rows, top row first.
    serveCaptures: function() {
      if (KV.captures.length === 0) return;
      var gl = Module['ctx'];
      var w = Module['canvas'].width, h = Module['canvas'].height;
      var rows = new Uint8Array(w * h * 4);
      gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, rows);
      var picture = new Uint8Array(w * h * 4);
      for (var y = 0; y < h; ++y) {
        picture.set(rows.subarray((h - 1 - y) * w * 4, (h - y) * w * 4), y * w * 4);
      }
      var waiting = KV.captures;
      KV.captures = [];
      waiting.forEach(function(resolve) { resolve({width: w, height: h, rgba: picture}); });
    },
  },

  kv_start: function() {
    KV.keysDown = new Uint8Array(512);
    KV.keysHit = new Uint8Array(512);
    KV.listen();
    var page = window.korvane = window.korvane || {};
    page.steps = 0;
    // A picture is read at the next frame shown; a still scene shows one for it.
    page.capture = function() {
      var picture = new Promise(function(resolve) { KV.captures.push(resolve); });
      KV.note(KV.EVENT_REDRAW);
      return picture;
    };
    // A watch file from the player (dropped, chosen, or by a test): kept in memory only.
    page.hand = function(name, bytes) {
      var base = String(name).split(/[\\/]/).pop() || 'dropped.watch';
      try { FS.mkdir('/watch'); } catch (e) {}
      FS.writeFile('/watch/' + base, bytes);
      KV.handed.push('/watch/' + base);
      KV.note(KV.EVENT_REDRAW);
    };
  },

  kv_sleep: function(ms) {
    Asyncify.handleSleep(function(wakeUp) { KV.sleep(ms, wakeUp); });
  },

  kv_wait_event: function(ms) {
    Asyncify.handleSleep(function(wakeUp) {
      if (KV.events) { wakeUp(); return; }
      var timer = 0;
      KV.wake = function() {
        KV.wake = null;
        clearTimeout(timer);
        wakeUp();
      };
      timer = setTimeout(KV.wake, ms);
    });
  },

  kv_take_events: function() {
    var events = KV.events;
    KV.events = 0;
    window.korvane.steps += 1;
    return events;
  },

  kv_take_focus_loss: function() {
    var lost = KV.focusLost;
    KV.focusLost = false;
    return lost ? 1 : 0;
  },

  kv_keys: function(down, count) {
    for (var i = 0; i < count; ++i) {
      HEAP8[down + i] = i < 512 && (KV.keysDown[i] || KV.keysHit[i]) ? 1 : 0;
    }
    KV.keysHit.fill(0);
  },

  kv_mouse_buttons: function() {
    var buttons = KV.buttons | KV.buttonsHit;
    KV.buttonsHit = 0;
    return buttons;
  },

  kv_mouse_x: function() { return KV.x; },
  kv_mouse_y: function() { return KV.y; },

  kv_show_cursor: function(show) {
    Module['canvas'].style.cursor = show ? '' : 'none';
  },

  kv_set_title: function(text) { document.title = UTF8ToString(text); },

  kv_present: function() { KV.serveCaptures(); },

  // ---- Gamepads: the standard mapping's buttons, sticks and pad ----

  kv_pads_update: function() {
    KV.pads = navigator.getGamepads ? navigator.getGamepads() : [];
  },

  kv_pad_button: function(index, button) {
    var pad = KV.pads && KV.pads[index];
    var b = pad && pad.buttons[button];
    return b && (b.pressed || b.value > 0.5) ? 1 : 0;
  },

  kv_pad_axis: function(index, axis) {
    var pad = KV.pads && KV.pads[index];
    var value = pad && pad.axes[axis] || 0;
    return Math.max(-32768, Math.min(32767, Math.round(value * 32767)));
  },

  kv_pad_connected: function(index) {
    var pad = KV.pads && KV.pads[index];
    return pad && pad.connected ? 1 : 0;
  },

  // ---- Sound ----

  kv_sample_load: function(path) {
    var bytes = KV.readFile(UTF8ToString(path));
    if (!bytes) return 0;
    var id = KV.nextSample++;
    KV.samples[id] = {bytes: bytes};
    KV.decode(KV.samples[id]);
    return id;
  },

  kv_sample_free: function(id) { delete KV.samples[id]; },

  kv_sample_play: function(id, loops, channel) {
    var sample = KV.samples[id];
    if (!KV.audio || !sample || !sample.buffer) return;
    if (channel < 0) {
      for (channel = 0; channel < KV.CHANNELS && KV.channels[channel]; ++channel) {}
      if (channel === KV.CHANNELS) return;
    }
    if (channel >= KV.CHANNELS) return;
    if (KV.channels[channel]) try { KV.channels[channel].stop(); } catch (e) {}
    var node = KV.source(sample.buffer, loops, KV.audio.effects, KV.audio.context.currentTime);
    KV.channels[channel] = node;
    node.onended = function() { if (KV.channels[channel] === node) KV.channels[channel] = null; };
  },

  kv_channel_halt: function(channel) {
    for (var c = 0; c < KV.CHANNELS; ++c) {
      if ((channel < 0 || c === channel) && KV.channels[c]) {
        try { KV.channels[c].stop(); } catch (e) {}
        KV.channels[c] = null;
      }
    }
  },

  kv_music_load: function(path) {
    var bytes = KV.readFile(UTF8ToString(path));
    if (!bytes) return 0;
    if (KV.music && KV.audio) KV.stopMusic(KV.music, 0);
    KV.music = {bytes: bytes};
    KV.decode(KV.music, KV.musicDecoded);
    return 1;
  },

  kv_music_play: function(loops, fadeMs) {
    var music = KV.music;
    if (!music) return 0;
    if (KV.audio) KV.stopMusic(music, 0);
    music.wanted = {loops: loops, fadeMs: fadeMs};
    music.paused = false;
    if (KV.audio && music.buffer) KV.startMusic(music, 0);
    return 1;
  },

  kv_music_fade_out: function(ms) {
    var music = KV.music;
    if (!music) return;
    music.wanted = null;
    if (KV.audio) KV.stopMusic(music, ms / 1000);
  },

  kv_music_pause: function() {
    var music = KV.music;
    if (!music || music.paused) return;
    music.paused = true;
    if (music.node) {
      var at = KV.audio.context.currentTime - music.startedAt;
      music.offset = music.buffer.duration > 0 ? at % music.buffer.duration : 0;
      KV.stopMusic(music, 0);
    }
  },

  kv_music_resume: function() {
    var music = KV.music;
    if (!music || !music.paused) return;
    music.paused = false;
    if (music.wanted && KV.audio && music.buffer) KV.startMusic(music, music.offset || 0);
  },

  kv_music_free: function() {
    if (KV.music && KV.audio) KV.stopMusic(KV.music, 0);
    KV.music = null;
  },

  kv_set_volumes: function(music, effects) {
    KV.musicVolume = music;
    KV.effectsVolume = effects;
    if (KV.audio) {
      KV.audio.music.gain.value = music;
      KV.audio.effects.gain.value = effects;
    }
  },

  kv_set_full_screen: function(on) {
    if (!!document.fullscreenElement !== !!on) KV.toggleFullScreen();
  },

  kv_set_muted: function(muted) {
    KV.muted = !!muted;
    if (KV.audio) KV.audio.master.gain.value = muted ? 0 : 1;
  },

  // ---- The player's files ----

  kv_files_open: function() {
    Asyncify.handleSleep(function(wakeUp) {
      KV.keepOnlyPlayerFiles();
      try { FS.mkdir(KV.FOLDER); } catch (e) {}
      FS.mount(IDBFS, {}, KV.FOLDER);
      KV.kept = typeof indexedDB !== 'undefined';
      KV.sync(true, function() {
        KV.makeFolders();
        try { FS.symlink('/resource', KV.FOLDER + '/resource'); } catch (e) {}
        FS.chdir(KV.FOLDER);
        window.korvane.storageKept = KV.kept;
        wakeUp();
      });
    });
  },

  kv_files_kept: function() { return KV.kept ? 1 : 0; },

  // Takes the page's lock over the player's files (every tab of this site shares it),
  // then reads in what other tabs saved.
  kv_files_hold: function() {
    Asyncify.handleSleep(function(wakeUp) {
      var populate = function() { KV.sync(true, function() { KV.makeFolders(); wakeUp(); }); };
      if (!navigator.locks) { populate(); return; }
      navigator.locks.request(KV.LOCK_NAME, function() {
        return new Promise(function(release) {
          KV.heldRelease = release;
          populate();
        });
      }).catch(function() { populate(); });
    });
  },

  kv_files_release: function() {
    var release = KV.heldRelease;
    KV.heldRelease = null;
    if (release) release();
  },

  kv_files_save: function() {
    Asyncify.handleSleep(function(wakeUp) { KV.sync(false, wakeUp); });
  },

  kv_offer_file: function(path) {
    var name = UTF8ToString(path);
    var bytes = KV.readFile(name);
    if (!bytes) return 0;
    KV.download(name.split('/').pop(), bytes);
    return 1;
  },

  kv_take_handed: function(buffer, size) {
    if (KV.handed.length === 0) return 0;
    var path = KV.handed.shift();
    if (lengthBytesUTF8(path) + 1 > size) return 0;
    stringToUTF8(path, buffer, size);
    return 1;
  },
};

autoAddDeps(KorvanePlatform, '$KV');
mergeInto(LibraryManager.library, KorvanePlatform);
