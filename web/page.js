// The page around the game: the program's settings, the watch file of "?watch=PATH", the
// buttons, dropped watch files, and the status line. The game itself talks to the page
// through window.korvane (see the README).
'use strict';
(function() {
  var canvas = document.getElementById('canvas');
  var status = document.getElementById('status');
  var korvane = window.korvane = {
    steps: 0,            // frames the game has stepped
    log: [],             // the game's log lines, the last 200
    storageKept: null,   // whether saved files outlast the page; null until known
    lastDownload: null,  // {name, bytes} of the last file handed to the player
  };

  function say(text) { status.textContent = text; }

  // The toolchain's notes on its GL emulation are for developers, not players.
  function printErr(line) {
    if (/^WARNING: using emscripten GL/.test(line)) {
      console.debug(line);
    } else {
      print(line);
    }
  }

  function print(line) {
    korvane.log.push(line);
    if (korvane.log.length > 200) korvane.log.shift();
    console.log(line);
    if (/^Watch |VERIFIED|MISMATCH/.test(line)) say(line);
  }

  function handBytes(name, bytes) {
    if (korvane.hand) korvane.hand(name, bytes);
  }

  function handFile(file) {
    if (!file) return;
    file.arrayBuffer().then(function(buffer) { handBytes(file.name, new Uint8Array(buffer)); });
  }

  var picker = document.getElementById('file');
  document.getElementById('open').addEventListener('click', function() { picker.click(); });
  picker.addEventListener('change', function() {
    handFile(picker.files[0]);
    picker.value = '';
    canvas.focus();
  });
  document.getElementById('fullscreen').addEventListener('click', function() {
    canvas.focus();
    if (document.fullscreenElement) {
      document.exitFullscreen();
    } else {
      document.documentElement.requestFullscreen().catch(function() {});
    }
  });
  window.addEventListener('dragover', function(e) {
    e.preventDefault();
    document.body.classList.add('dragging');
  });
  window.addEventListener('dragleave', function() { document.body.classList.remove('dragging'); });
  window.addEventListener('drop', function(e) {
    e.preventDefault();
    document.body.classList.remove('dragging');
    handFile(e.dataTransfer.files[0]);
  });

  var Module = window.Module = {
    canvas: canvas,
    print: print,
    printErr: printErr,
    doNotCaptureKeyboard: true,
    arguments: [],
    preRun: [],
    setStatus: function() {},
  };

  function load() {
    var script = document.createElement('script');
    script.src = 'korvane.js';
    document.body.appendChild(script);
  }

  // "?watch=PATH": the file from this site, played after the logo as "-watch" plays one on
  // the desktop. One that cannot be fetched is missing, and the game says so.
  var watch = new URLSearchParams(location.search).get('watch');
  if (!watch) {
    load();
    return;
  }
  var path = '/watch/' + (watch.split('/').pop() || 'shared.watch');
  Module.arguments = ['-watch', path];
  fetch(watch).then(function(response) {
    return response.ok ? response.arrayBuffer() : null;
  }).catch(function() { return null; }).then(function(buffer) {
    if (buffer) {
      Module.preRun.push(function() {
        Module.FS.mkdir('/watch');
        Module.FS.writeFile(path, new Uint8Array(buffer));
      });
    }
    load();
  });
})();
